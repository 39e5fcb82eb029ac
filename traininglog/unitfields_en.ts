<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>UnitFields</name>
    <message><source>klar</source><translation>clear</translation></message>
    <message><source>wolkig</source><translation>cloudy</translation></message>
    <message><source>bedeckt</source><translation>overcast</translation></message>
    <message><source>l. Niederschlag</source><translation>light rain</translation></message>
    <message><source>st. Niederschl.</source><translation>heavy rain</translation></message>
    <message><source>Sporthalle</source><translation>sports hall</translation></message>
    <message><source>windstill</source><translation>calm</translation></message>
    <message><source>schwach</source><translation>light</translation></message>
    <message><source>mäßig</source><translation>moderate</translation></message>
    <message><source>stark</source><translation>strong</translation></message>
    <message><source>stürmisch</source><translation>stormy</translation></message>
    <message><source>1 - sehr gut</source><translation>1 - very good</translation></message>
    <message><source>2 - gut</source><translation>2 - good</translation></message>
    <message><source>3 - mittel</source><translation>3 - average</translation></message>
    <message><source>4 - schlecht</source><translation>4 - bad</translation></message>
    <message><source>5 - s. schlecht</source><translation>5 - very bad</translation></message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TORVCalendar</name>
    <message>
        <source>Kalenderindex außerhalb des gültigen Bereichs</source>
        <translation>Calendar index out of range</translation>
    </message>
</context>
</TS>

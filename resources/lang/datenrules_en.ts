<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>datenrules</name>
    <message>
        <source>Form oder Sportart der Einheit fehlt in der Datenbank.</source>
        <translation>The unit&apos;s form or sport is missing from the database.</translation>
    </message>
    <message>
        <source>Der Trainingsblock der neuen Einheit konnte nicht angelegt werden: %1</source>
        <translation>The training block of the new unit could not be created: %1</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Buttons</name>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Load &amp;Folder</source>
        <translation>&amp;Ordner laden</translation>
    </message>
    <message>
        <source>Load F&amp;iles</source>
        <translation>&amp;Dateien laden</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alle wählen</translation>
    </message>
    <message>
        <source>U&amp;nselect All</source>
        <translation>&amp;Keine wählen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Liste leeren</translation>
    </message>
    <message>
        <source>Rename every checked file to its proposed name</source>
        <translation>Jede markierte Datei in ihren vorgeschlagenen Namen umbenennen</translation>
    </message>
    <message>
        <source>Give the files that Rename renamed their names back</source>
        <translation>Den von „Umbenennen“ umbenannten Dateien ihre alten Namen zurückgeben</translation>
    </message>
    <message>
        <source>Add the music files of a folder and of every folder below it</source>
        <translation>Die Musikdateien eines Ordners und aller Ordner darunter hinzufügen</translation>
    </message>
    <message>
        <source>Add music files picked in a file dialog</source>
        <translation>In einem Dateidialog gewählte Musikdateien hinzufügen</translation>
    </message>
    <message>
        <source>Check every row</source>
        <translation>Jede Zeile markieren</translation>
    </message>
    <message>
        <source>Uncheck every row</source>
        <translation>Keine Zeile markieren</translation>
    </message>
    <message>
        <source>End the program (Ctrl+Q)</source>
        <translation>Das Programm beenden (Strg+Q)</translation>
    </message>
    <message>
        <source>Take every row off the list; no file is touched</source>
        <translation>Alle Zeilen aus der Liste nehmen; keine Datei wird angerührt</translation>
    </message>
</context>
<context>
    <name>Controller</name>
    <message>
        <source>Vornick</source>
        <translation>Vornick</translation>
    </message>
    <message>
        <source>Vornick [Loading files, please wait...]</source>
        <translation>Vornick [Dateien werden geladen, bitte warten …]</translation>
    </message>
    <message>
        <source>Vornick [Please wait...]</source>
        <translation>Vornick [Bitte warten …]</translation>
    </message>
    <message>
        <source>Please select folder to add:</source>
        <translation>Bitte den hinzuzufügenden Ordner wählen:</translation>
    </message>
    <message>
        <source>Add File(s) - Use Ctrl and Shift to select multiple files</source>
        <translation>Dateien hinzufügen – mit Strg und Umschalt mehrere Dateien wählen</translation>
    </message>
    <message>
        <source>MP3 Files (*.mp3)</source>
        <translation>MP3-Dateien (*.mp3)</translation>
    </message>
    <message>
        <source>Filename Now</source>
        <translation>Dateiname jetzt</translation>
    </message>
    <message>
        <source>Filename After Rename</source>
        <translation>Dateiname nach dem Umbenennen</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Music files</source>
        <translation>Musikdateien</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Rename History</source>
        <translation>Umbenennungsverlauf</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stand</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Renames in the history</source>
        <translation>Umbenennungen im Verlauf</translation>
    </message>
    <message>
        <source>Every Rename kept in the history, newest first</source>
        <translation>Jede im Verlauf festgehaltene Umbenennung, die neueste zuerst</translation>
    </message>
    <message>
        <source>&amp;Take Back</source>
        <translation>&amp;Zurücknehmen</translation>
    </message>
    <message>
        <source>Give the files of the selected Rename their old names back, where they still have the new ones</source>
        <translation>Den Dateien der gewählten Umbenennung ihre alten Namen zurückgeben, wo sie noch die neuen tragen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Close this window; nothing is renamed</source>
        <translation>Dieses Fenster schließen; nichts wird umbenannt</translation>
    </message>
    <message>
        <source>No renames are kept in the history yet.</source>
        <translation>Im Verlauf ist noch keine Umbenennung festgehalten.</translation>
    </message>
    <message>
        <source>The history could not be read: %1</source>
        <translation>Der Verlauf konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>taken back</source>
        <translation>zurückgenommen</translation>
    </message>
    <message>
        <source>partly taken back</source>
        <translation>teilweise zurückgenommen</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>done</source>
        <translation>erledigt</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Rename stopped</source>
        <translation>Umbenennen abgebrochen</translation>
    </message>
    <message>
        <source>Undo stopped</source>
        <translation>Rückgängig abgebrochen</translation>
    </message>
    <message>
        <source>Load Folder stopped</source>
        <translation>Ordner laden abgebrochen</translation>
    </message>
    <message>
        <source>Load Files stopped</source>
        <translation>Dateien laden abgebrochen</translation>
    </message>
    <message>
        <source>Adding the dropped files stopped</source>
        <translation>Hinzufügen der abgelegten Dateien abgebrochen</translation>
    </message>
    <message>
        <source>Some files were not renamed back</source>
        <translation>Einige Dateien wurden nicht zurückbenannt</translation>
    </message>
    <message>
        <source>Some files were not renamed</source>
        <translation>Einige Dateien wurden nicht umbenannt</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not renamed back; nothing was overwritten, and the other checked files were done.</source>
        <translation>
            <numerusform>%n Datei wurde nicht zurückbenannt; nichts wurde überschrieben, und die anderen markierten Dateien wurden erledigt.</numerusform>
            <numerusform>%n Dateien wurden nicht zurückbenannt; nichts wurde überschrieben, und die anderen markierten Dateien wurden erledigt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not renamed; nothing was overwritten, and the other checked files were done.</source>
        <translation>
            <numerusform>%n Datei wurde nicht umbenannt; nichts wurde überschrieben, und die anderen markierten Dateien wurden erledigt.</numerusform>
            <numerusform>%n Dateien wurden nicht umbenannt; nichts wurde überschrieben, und die anderen markierten Dateien wurden erledigt.</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; to &quot;%2&quot; in %3: %4</source>
        <translation>„%1“ in „%2“ in %3: %4</translation>
    </message>
    <message>
        <source>Some folders were not read</source>
        <translation>Einige Ordner wurden nicht gelesen</translation>
    </message>
    <message>
        <source>%1: a link to a folder, not followed</source>
        <translation>%1: eine Verknüpfung auf einen Ordner, nicht verfolgt</translation>
    </message>
    <message>
        <source>%1: not read: %2</source>
        <translation>%1: nicht gelesen: %2</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>… und %n weitere.</numerusform>
            <numerusform>… und %n weitere.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) or link(s) were passed over; everything else was added.</source>
        <translation>
            <numerusform>%n Ordner oder Verknüpfung wurde übergangen; alles andere wurde hinzugefügt.</numerusform>
            <numerusform>%n Ordner oder Verknüpfungen wurden übergangen; alles andere wurde hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file types could not be read from the settings: %1</source>
        <translation>Die Dateitypen konnten nicht aus den Einstellungen gelesen werden: %1</translation>
    </message>
    <message>
        <source>The history was damaged</source>
        <translation>Der Verlauf war beschädigt</translation>
    </message>
    <message>
        <source>The history of renames in %1 was damaged. It was kept as %2, and a new history was started.</source>
        <translation>Der Umbenennungsverlauf in %1 war beschädigt. Er wurde als %2 aufbewahrt, und ein neuer Verlauf wurde begonnen.</translation>
    </message>
</context>
<context>
    <name>Questions</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Undo without a way back?</source>
        <translation>Ohne Weg zurück rückgängig machen?</translation>
    </message>
    <message>
        <source>The history of renames could not be written:
%1

If you undo anyway, the names given back are not kept, and this Undo cannot be taken back once the window is closed.</source>
        <translation>Der Umbenennungsverlauf konnte nicht geschrieben werden:
%1

Wenn Sie trotzdem rückgängig machen, werden die zurückgegebenen Namen nicht festgehalten, und dies lässt sich nicht mehr zurücknehmen, sobald das Fenster geschlossen ist.</translation>
    </message>
    <message>
        <source>&amp;Undo Anyway</source>
        <translation>Trotzdem &amp;rückgängig</translation>
    </message>
    <message>
        <source>Rename without a way back?</source>
        <translation>Ohne Weg zurück umbenennen?</translation>
    </message>
    <message>
        <source>The history of renames could not be written:
%1

If you rename anyway, the renames cannot be taken back once the window is closed.</source>
        <translation>Der Umbenennungsverlauf konnte nicht geschrieben werden:
%1

Wenn Sie trotzdem umbenennen, lassen sich die Umbenennungen nicht mehr zurücknehmen, sobald das Fenster geschlossen ist.</translation>
    </message>
    <message>
        <source>&amp;Rename Anyway</source>
        <translation>&amp;Trotzdem umbenennen</translation>
    </message>
    <message>
        <source>&amp;Take Back</source>
        <translation>&amp;Zurücknehmen</translation>
    </message>
    <message>
        <source>A Rename was interrupted</source>
        <translation>Eine Umbenennung wurde unterbrochen</translation>
    </message>
    <message numerus="yes">
        <source>The program ended in the middle of a Rename begun on %1: %n file(s) in %2 may still have their new names.

Take Back gives them their old names again; Keep leaves them as they are.</source>
        <translation>
            <numerusform>Das Programm endete mitten in einer Umbenennung vom %1: %n Datei in %2 trägt womöglich noch ihren neuen Namen.

„Zurücknehmen“ gibt ihr den alten Namen zurück; „Behalten“ lässt sie, wie sie ist.</numerusform>
            <numerusform>Das Programm endete mitten in einer Umbenennung vom %1: %n Dateien in %2 tragen womöglich noch ihre neuen Namen.

„Zurücknehmen“ gibt ihnen die alten Namen zurück; „Behalten“ lässt sie, wie sie sind.</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Keep</source>
        <translation>&amp;Behalten</translation>
    </message>
    <message>
        <source>Take back an earlier Rename?</source>
        <translation>Eine frühere Umbenennung zurücknehmen?</translation>
    </message>
    <message numerus="yes">
        <source>Nothing in the list is left to undo. A Rename on %1 gave %n file(s) in %2 new names, which they still have.

Take Back gives them their old names again.</source>
        <translation>
            <numerusform>In der Liste ist nichts mehr rückgängig zu machen. Eine Umbenennung vom %1 gab %n Datei in %2 einen neuen Namen, den sie noch trägt.

„Zurücknehmen“ gibt ihr den alten Namen zurück.</numerusform>
            <numerusform>In der Liste ist nichts mehr rückgängig zu machen. Eine Umbenennung vom %1 gab %n Dateien in %2 neue Namen, die sie noch tragen.

„Zurücknehmen“ gibt ihnen die alten Namen zurück.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Reasons</name>
    <message>
        <source>the new name is empty</source>
        <translation>der neue Name ist leer</translation>
    </message>
    <message>
        <source>the new name is &quot;.&quot; or &quot;..&quot;, which name folders</source>
        <translation>der neue Name ist „.“ oder „..“, die Ordner bezeichnen</translation>
    </message>
    <message>
        <source>the new name holds a folder separator</source>
        <translation>der neue Name enthält ein Ordnertrennzeichen</translation>
    </message>
    <message>
        <source>the new name holds a zero byte</source>
        <translation>der neue Name enthält ein Nullbyte</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <source>the name is &quot;.&quot; or &quot;..&quot;, which name folders</source>
        <translation>der Name ist „.“ oder „..“, die Ordner bezeichnen</translation>
    </message>
    <message>
        <source>the name holds a folder separator</source>
        <translation>der Name enthält ein Ordnertrennzeichen</translation>
    </message>
    <message>
        <source>the name holds a zero byte</source>
        <translation>der Name enthält ein Nullbyte</translation>
    </message>
    <message>
        <source>the new name begins with &quot;.&quot;, which would hide the file</source>
        <translation>der neue Name beginnt mit „.“, was die Datei verbergen würde</translation>
    </message>
    <message>
        <source>a file or folder named &quot;%1&quot; is there already</source>
        <translation>eine Datei oder ein Ordner namens „%1“ ist schon da</translation>
    </message>
    <message>
        <source>the file is not there</source>
        <translation>die Datei ist nicht da</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>der Datenträger ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the new name is too long</source>
        <translation>der neue Name ist zu lang</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the file is in use</source>
        <translation>die Datei wird gerade benutzt</translation>
    </message>
    <message>
        <source>the disk does not accept the name &quot;%1&quot;</source>
        <translation>der Datenträger nimmt den Namen „%1“ nicht an</translation>
    </message>
    <message>
        <source>the same file is listed in another row</source>
        <translation>dieselbe Datei steht in einer anderen Zeile</translation>
    </message>
    <message>
        <source>another row proposes the same name in this folder</source>
        <translation>eine andere Zeile schlägt in diesem Ordner denselben Namen vor</translation>
    </message>
    <message>
        <source>the file there now is not the one that was renamed</source>
        <translation>die Datei dort ist nicht mehr die, die umbenannt wurde</translation>
    </message>
    <message>
        <source>the history could not be written: %1</source>
        <translation>der Verlauf konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the disk</source>
        <translation>der Datenträger</translation>
    </message>
    <message>
        <source>%1 does not allow the control character %2 in names</source>
        <translation>%1 erlaubt das Steuerzeichen %2 nicht in Namen</translation>
    </message>
    <message>
        <source>%1 does not allow &apos;%2&apos; in names</source>
        <translation>%1 erlaubt „%2“ nicht in Namen</translation>
    </message>
    <message>
        <source>%1 does not allow a name that begins &quot;%2&quot;: Windows keeps it for a device</source>
        <translation>%1 erlaubt keinen Namen, der mit „%2“ beginnt: Windows hält ihn für ein Gerät frei</translation>
    </message>
    <message>
        <source>%1 drops or refuses a dot or space at the end of a name</source>
        <translation>%1 lässt einen Punkt oder ein Leerzeichen am Ende eines Namens weg oder weist ihn ab</translation>
    </message>
    <message>
        <source>%1 does not allow names that are not UTF-8</source>
        <translation>%1 erlaubt nur Namen in UTF-8</translation>
    </message>
    <message>
        <source>the new name is longer than the disk allows</source>
        <translation>der neue Name ist länger, als der Datenträger erlaubt</translation>
    </message>
    <message>
        <source>the new name is longer than %1 allows</source>
        <translation>der neue Name ist länger, als %1 erlaubt</translation>
    </message>
    <message>
        <source>%1 kept the name&apos;s old letter case</source>
        <translation>%1 hat die alte Groß- und Kleinschreibung des Namens behalten</translation>
    </message>
    <message>
        <source>listed again above; renamed with that row</source>
        <translation>weiter oben schon aufgeführt; mit jener Zeile umbenannt</translation>
    </message>
</context>
<context>
    <name>Reports</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selected lines, or all of them when none is selected (Ctrl+C)</source>
        <translation>Die ausgewählten Zeilen kopieren, oder alle, wenn keine ausgewählt ist (Strg+C)</translation>
    </message>
    <message>
        <source>Close this report</source>
        <translation>Diesen Bericht schließen</translation>
    </message>
    <message numerus="yes">
        <source>%Ln of %1 file(s) were not renamed back.</source>
        <translation>
            <numerusform>%Ln von %1 Dateien wurde nicht zurückbenannt.</numerusform>
            <numerusform>%Ln von %1 Dateien wurden nicht zurückbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln of %1 file(s) were not renamed.</source>
        <translation>
            <numerusform>%Ln von %1 Dateien wurde nicht umbenannt.</numerusform>
            <numerusform>%Ln von %1 Dateien wurden nicht umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) were not renamed back.</source>
        <translation>
            <numerusform>%Ln Datei wurde nicht zurückbenannt.</numerusform>
            <numerusform>%Ln Dateien wurden nicht zurückbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) were not renamed.</source>
        <translation>
            <numerusform>%Ln Datei wurde nicht umbenannt.</numerusform>
            <numerusform>%Ln Dateien wurden nicht umbenannt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was overwritten, and the other checked files were done.</source>
        <translation>Nichts wurde überschrieben, und die anderen markierten Dateien wurden umbenannt.</translation>
    </message>
    <message>
        <source>Files not renamed back</source>
        <translation>Nicht zurückbenannte Dateien</translation>
    </message>
    <message>
        <source>Files not renamed</source>
        <translation>Nicht umbenannte Dateien</translation>
    </message>
    <message>
        <source>The name and folder of each file that was not renamed back, and why</source>
        <translation>Name und Ordner jeder nicht zurückbenannten Datei, und warum</translation>
    </message>
    <message>
        <source>The name and folder of each file that was not renamed, and why</source>
        <translation>Name und Ordner jeder nicht umbenannten Datei, und warum</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folder(s) were passed over; everything else was added.</source>
        <translation>
            <numerusform>%Ln Ordner wurde übergangen; alles andere wurde hinzugefügt.</numerusform>
            <numerusform>%Ln Ordner wurden übergangen; alles andere wurde hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Folders passed over</source>
        <translation>Übergangene Ordner</translation>
    </message>
    <message>
        <source>Each folder that was passed over, and why</source>
        <translation>Jeder übergangene Ordner, und warum</translation>
    </message>
    <message>
        <source>a link to a folder, not followed</source>
        <translation>eine Verknüpfung zu einem Ordner, nicht gefolgt</translation>
    </message>
    <message>
        <source>could not be read: %1</source>
        <translation>konnte nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>Statuses</name>
    <message>
        <source>Renamed</source>
        <translation>Umbenannt</translation>
    </message>
    <message>
        <source>Not renamed: %1</source>
        <translation>Nicht umbenannt: %1</translation>
    </message>
    <message>
        <source>Not renamed back: %1</source>
        <translation>Nicht zurückbenannt: %1</translation>
    </message>
    <message>
        <source>Rename would refuse this file: %1</source>
        <translation>„Umbenennen“ würde diese Datei ablehnen: %1</translation>
    </message>
</context>
<context>
    <name>TypesDialog</name>
    <message>
        <source>File Types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>Load Folder, and a folder dropped on the list, take the files of the types checked here.</source>
        <translation>„Ordner laden“ und ein auf die Liste gezogener Ordner nehmen die Dateien der hier angehakten Typen auf.</translation>
    </message>
    <message>
        <source>&amp;All Files</source>
        <translation>&amp;Alle Dateien</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Every file, whatever its type; the types checked below are kept for later</source>
        <translation>Jede Datei, gleich welchen Typs; die unten angehakten Typen bleiben für später erhalten</translation>
    </message>
    <message>
        <source>Types</source>
        <translation>Typen</translation>
    </message>
    <message>
        <source>Types of files</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>The types are used from the next Load Folder on.</source>
        <translation>Die Typen gelten ab dem nächsten „Ordner laden“.</translation>
    </message>
    <message>
        <source>The file types in the settings cannot be read (%1). Check the types to use from now on.</source>
        <translation>Die Dateitypen in den Einstellungen können nicht gelesen werden (%1). Haken Sie die Typen an, die ab jetzt gelten sollen.</translation>
    </message>
    <message>
        <source>Files whose names end in .%1</source>
        <translation>Dateien, deren Namen auf .%1 enden</translation>
    </message>
    <message>
        <source>Check at least one type, or All Files.</source>
        <translation>Haken Sie mindestens einen Typ an, oder „Alle Dateien“.</translation>
    </message>
    <message>
        <source>The type &quot;%1&quot; cannot be kept: a type has no spaces around it, no comma and no dot in front. Uncheck it to go on.</source>
        <translation>Der Typ „%1“ kann nicht behalten werden: Ein Typ hat keine Leerzeichen um sich, kein Komma und keinen Punkt vorn. Entfernen Sie seinen Haken, um fortzufahren.</translation>
    </message>
    <message>
        <source>The file types were not saved, and the settings are as they were.
%1</source>
        <translation>Die Dateitypen wurden nicht gespeichert, die Einstellungen sind wie zuvor.
%1</translation>
    </message>
</context>
<context>
    <name>vornick::gui::CountsLine</name>
    <message>
        <source>Counts</source>
        <translation>Zählung</translation>
    </message>
    <message>
        <source>File &amp;Types...</source>
        <translation>Datei&amp;typen …</translation>
    </message>
    <message>
        <source>Choose the types of file that Load Folder takes</source>
        <translation>Die Dateitypen wählen, die „Ordner laden“ aufnimmt</translation>
    </message>
    <message numerus="yes">
        <source>%Ln row(s)</source>
        <translation>
            <numerusform>%Ln Zeile</numerusform>
            <numerusform>%Ln Zeilen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 checked</source>
        <translation>%1 angehakt</translation>
    </message>
    <message>
        <source>%1 would be refused</source>
        <translation>%1 würden abgelehnt</translation>
    </message>
    <message>
        <source>%1 renamed</source>
        <translation>%1 umbenannt</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>Last load added %Ln file(s)</source>
        <translation>
            <numerusform>Das letzte Laden fügte %Ln Datei hinzu</numerusform>
            <numerusform>Das letzte Laden fügte %Ln Dateien hinzu</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) of other types not taken: %1</source>
        <translation>
            <numerusform>%Ln Datei anderen Typs nicht aufgenommen: %1</numerusform>
            <numerusform>%Ln Dateien anderer Typen nicht aufgenommen: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornick::gui::FindBar</name>
    <message>
        <source>Find rows</source>
        <translation>Zeilen finden</translation>
    </message>
    <message>
        <source>Fin&amp;d:</source>
        <translation>&amp;Finden:</translation>
    </message>
    <message>
        <source>Text in any column</source>
        <translation>Text in einer beliebigen Spalte</translation>
    </message>
    <message>
        <source>Find text</source>
        <translation>Suchtext</translation>
    </message>
    <message>
        <source>Shows only the rows that hold this text in any column</source>
        <translation>Zeigt nur die Zeilen, die diesen Text in einer Spalte enthalten</translation>
    </message>
    <message>
        <source>Ro&amp;ws:</source>
        <translation>&amp;Zeilen:</translation>
    </message>
    <message>
        <source>All rows</source>
        <translation>Alle Zeilen</translation>
    </message>
    <message>
        <source>Rows that would change</source>
        <translation>Zeilen mit Änderung</translation>
    </message>
    <message>
        <source>Rows Rename would refuse</source>
        <translation>Von Umbenennen abgelehnt</translation>
    </message>
    <message>
        <source>Renamed rows</source>
        <translation>Umbenannte Zeilen</translation>
    </message>
    <message>
        <source>Failed rows</source>
        <translation>Fehlgeschlagene Zeilen</translation>
    </message>
    <message>
        <source>Kind of rows shown</source>
        <translation>Art der gezeigten Zeilen</translation>
    </message>
    <message>
        <source>Rows shown</source>
        <translation>Gezeigte Zeilen</translation>
    </message>
    <message>
        <source>C&amp;heck the Rows Shown</source>
        <translation>Gezeigte an&amp;haken</translation>
    </message>
    <message>
        <source>Unchec&amp;k the Rows Shown</source>
        <translation>Ha&amp;ken entfernen</translation>
    </message>
    <message>
        <source>Check every row the find bar shows</source>
        <translation>Jede Zeile anhaken, die die Suchleiste zeigt</translation>
    </message>
    <message>
        <source>Uncheck every row the find bar shows</source>
        <translation>Den Haken jeder Zeile entfernen, die die Suchleiste zeigt</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Suchleiste schließen</translation>
    </message>
    <message>
        <source>Close the find bar and show every row (Escape)</source>
        <translation>Suchleiste schließen und alle Zeilen zeigen (Esc)</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 rows</source>
        <translation>
            <numerusform>%1 von %2</numerusform>
            <numerusform>%1 von %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornick::gui::FormHost</name>
    <message>
        <source>Edit Proposed Name</source>
        <translation>Vorgeschlagenen Namen bearbeiten</translation>
    </message>
</context>
<context>
    <name>vornick::gui::MainForm</name>
    <message>
        <source>Files to rename</source>
        <translation>Umzubenennende Dateien</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf …</translation>
    </message>
    <message>
        <source>See the renames kept, and take an earlier one back (Ctrl+H)</source>
        <translation>Die festgehaltenen Umbenennungen ansehen und eine frühere zurücknehmen (Strg+H)</translation>
    </message>
    <message>
        <source>Make Names &amp;Safe for the Disk</source>
        <translation>Namen für den Datenträger &amp;sicher machen</translation>
    </message>
    <message>
        <source>Rewrite the proposed names of the selected rows (all rows when none is selected) into names the disk they are on takes; nothing is renamed until Rename</source>
        <translation>Die vorgeschlagenen Namen der ausgewählten Zeilen (aller Zeilen, wenn keine ausgewählt ist) in Namen umschreiben, die ihr Datenträger annimmt; umbenannt wird erst mit Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Edit Proposed Name</source>
        <translation>Vorgeschlagenen Namen &amp;bearbeiten</translation>
    </message>
    <message>
        <source>Type the name this row&apos;s file gets at Rename (F2)</source>
        <translation>Den Namen eintippen, den die Datei dieser Zeile beim Umbenennen bekommt (F2)</translation>
    </message>
    <message>
        <source>&amp;Back to the Proposed Name</source>
        <translation>&amp;Zurück zum vorgeschlagenen Namen</translation>
    </message>
    <message>
        <source>Give the selected rows (all rows when none is selected) the names worked out for them again, in place of names typed or made safe</source>
        <translation>Den ausgewählten Zeilen (allen Zeilen, wenn keine ausgewählt ist) wieder die für sie ermittelten Namen geben, statt eingetippter oder sicher gemachter Namen</translation>
    </message>
    <message>
        <source>&amp;Check Selected Rows</source>
        <translation>Ausgewählte Zeilen &amp;anhaken</translation>
    </message>
    <message>
        <source>Check every selected row</source>
        <translation>Jede ausgewählte Zeile anhaken</translation>
    </message>
    <message>
        <source>&amp;Uncheck Selected Rows</source>
        <translation>Haken der ausgewählten Zeilen &amp;entfernen</translation>
    </message>
    <message>
        <source>Uncheck every selected row</source>
        <translation>Den Haken jeder ausgewählten Zeile entfernen</translation>
    </message>
    <message>
        <source>Check the &amp;Rows Shown</source>
        <translation>&amp;Gezeigte Zeilen anhaken</translation>
    </message>
    <message>
        <source>Check every row the find bar shows (every row while it is closed)</source>
        <translation>Jede Zeile anhaken, die die Suchleiste zeigt (jede Zeile, solange sie geschlossen ist)</translation>
    </message>
    <message>
        <source>Uncheck every row the find bar shows (every row while it is closed)</source>
        <translation>Den Haken jeder Zeile entfernen, die die Suchleiste zeigt (jeder Zeile, solange sie geschlossen ist)</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Finden …</translation>
    </message>
    <message>
        <source>Find rows by their text or their kind (Ctrl+F)</source>
        <translation>Zeilen nach ihrem Text oder ihrer Art finden (Strg+F)</translation>
    </message>
    <message>
        <source>&amp;Open Containing Folder</source>
        <translation>Enthaltenden &amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>Show the current row&apos;s folder in the file manager</source>
        <translation>Den Ordner der aktuellen Zeile in der Dateiverwaltung zeigen</translation>
    </message>
    <message>
        <source>Copy &amp;Paths</source>
        <translation>&amp;Pfade kopieren</translation>
    </message>
    <message>
        <source>Copy the full paths of the selected rows (Ctrl+C)</source>
        <translation>Die vollständigen Pfade der ausgewählten Zeilen kopieren (Strg+C)</translation>
    </message>
    <message>
        <source>File &amp;Types...</source>
        <translation>Datei&amp;typen …</translation>
    </message>
    <message>
        <source>Choose the types of file that Load Folder takes</source>
        <translation>Die Dateitypen wählen, die „Ordner laden“ aufnimmt</translation>
    </message>
    <message>
        <source>Unchec&amp;k the Rows Shown</source>
        <translation>Ha&amp;ken der gezeigten Zeilen entfernen</translation>
    </message>
</context>
<context>
    <name>vornick::gui::RenameModel</name>
    <message>
        <source>Edited by hand</source>
        <translation>Von Hand bearbeitet</translation>
    </message>
    <message>
        <source>A file name cannot be empty.</source>
        <translation>Ein Dateiname kann nicht leer sein.</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; name folders, not files.</source>
        <translation>„.“ und „..“ bezeichnen Ordner, keine Dateien.</translation>
    </message>
    <message>
        <source>A file name cannot hold &quot;/&quot;: it separates folders.</source>
        <translation>Ein Dateiname kann kein „/“ enthalten: es trennt Ordner.</translation>
    </message>
    <message>
        <source>A file name cannot hold a NUL character.</source>
        <translation>Ein Dateiname kann kein NUL-Zeichen enthalten.</translation>
    </message>
    <message>
        <source>This file is renamed already. Undo the Rename before you give it another name.</source>
        <translation>Diese Datei ist schon umbenannt. Machen Sie das Umbenennen rückgängig, bevor Sie ihr einen anderen Namen geben.</translation>
    </message>
</context>
<context>
    <name>vornick::gui::RenameView</name>
    <message>
        <source>Drop music files and folders here, or use Load Folder and Load Files.</source>
        <translation>Musikdateien und Ordner hier ablegen, oder „Ordner laden“ und „Dateien laden“ benutzen.</translation>
    </message>
    <message>
        <source>Proposed name</source>
        <translation>Vorgeschlagener Name</translation>
    </message>
</context>
</TS>

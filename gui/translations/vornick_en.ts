<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Buttons</name>
    <message>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load &amp;Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load F&amp;iles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>U&amp;nselect All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename every checked file to its proposed name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the files that Rename renamed their names back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the music files of a folder and of every folder below it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add music files picked in a file dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck every row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End the program (Ctrl+Q)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take every row off the list; no file is touched</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Controller</name>
    <message>
        <source>Vornick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vornick [Loading files, please wait...]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vornick [Please wait...]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select folder to add:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add File(s) - Use Ctrl and Shift to select multiple files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 Files (*.mp3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename After Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Music files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renames in the history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every Rename kept in the history, newest first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Take Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the files of the selected Rename their old names back, where they still have the new ones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close this window; nothing is renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No renames are kept in the history yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>taken back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>partly taken back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Rename stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Folder stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Files stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding the dropped files stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files were not renamed back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files were not renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not renamed back; nothing was overwritten, and the other checked files were done.</source>
        <translation>
            <numerusform>%n file was not renamed back; nothing was overwritten, and the other checked files were done.</numerusform>
            <numerusform>%n files were not renamed back; nothing was overwritten, and the other checked files were done.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) were not renamed; nothing was overwritten, and the other checked files were done.</source>
        <translation>
            <numerusform>%n file was not renamed; nothing was overwritten, and the other checked files were done.</numerusform>
            <numerusform>%n files were not renamed; nothing was overwritten, and the other checked files were done.</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; to &quot;%2&quot; in %3: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some folders were not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: a link to a folder, not followed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... and %n more.</numerusform>
            <numerusform>... and %n more.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s) or link(s) were passed over; everything else was added.</source>
        <translation>
            <numerusform>%n folder or link was passed over; everything else was added.</numerusform>
            <numerusform>%n folders or links were passed over; everything else was added.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file types could not be read from the settings: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history was damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history of renames in %1 was damaged. It was kept as %2, and a new history was started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Questions</name>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo without a way back?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history of renames could not be written:
%1

If you undo anyway, the names given back are not kept, and this Undo cannot be taken back once the window is closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename without a way back?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The history of renames could not be written:
%1

If you rename anyway, the renames cannot be taken back once the window is closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Take Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A Rename was interrupted</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The program ended in the middle of a Rename begun on %1: %n file(s) in %2 may still have their new names.

Take Back gives them their old names again; Keep leaves them as they are.</source>
        <translation>
            <numerusform>The program ended in the middle of a Rename begun on %1: %n file in %2 may still have its new name.

Take Back gives it its old name again; Keep leaves it as it is.</numerusform>
            <numerusform>The program ended in the middle of a Rename begun on %1: %n files in %2 may still have their new names.

Take Back gives them their old names again; Keep leaves them as they are.</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Keep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take back an earlier Rename?</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Nothing in the list is left to undo. A Rename on %1 gave %n file(s) in %2 new names, which they still have.

Take Back gives them their old names again.</source>
        <translation>
            <numerusform>Nothing in the list is left to undo. A Rename on %1 gave %n file in %2 a new name, which it still has.

Take Back gives it its old name again.</numerusform>
            <numerusform>Nothing in the list is left to undo. A Rename on %1 gave %n files in %2 new names, which they still have.

Take Back gives them their old names again.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Reasons</name>
    <message>
        <source>the new name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name is &quot;.&quot; or &quot;..&quot;, which name folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name holds a folder separator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name holds a zero byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name is &quot;.&quot; or &quot;..&quot;, which name folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name holds a folder separator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name holds a zero byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name begins with &quot;.&quot;, which would hide the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a file or folder named &quot;%1&quot; is there already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk does not accept the name &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the same file is listed in another row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another row proposes the same name in this folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file there now is not the one that was renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the history could not be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not allow the control character %2 in names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not allow &apos;%2&apos; in names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not allow a name that begins &quot;%2&quot;: Windows keeps it for a device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 drops or refuses a dot or space at the end of a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not allow names that are not UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name is longer than the disk allows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the new name is longer than %1 allows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 kept the name&apos;s old letter case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>listed again above; renamed with that row</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reports</name>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected lines, or all of them when none is selected (Ctrl+C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close this report</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%Ln of %1 file(s) were not renamed back.</source>
        <translation>
            <numerusform>%Ln of %1 files was not renamed back.</numerusform>
            <numerusform>%Ln of %1 files were not renamed back.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln of %1 file(s) were not renamed.</source>
        <translation>
            <numerusform>%Ln of %1 files was not renamed.</numerusform>
            <numerusform>%Ln of %1 files were not renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) were not renamed back.</source>
        <translation>
            <numerusform>%Ln file was not renamed back.</numerusform>
            <numerusform>%Ln files were not renamed back.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) were not renamed.</source>
        <translation>
            <numerusform>%Ln file was not renamed.</numerusform>
            <numerusform>%Ln files were not renamed.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was overwritten, and the other checked files were done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files not renamed back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files not renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name and folder of each file that was not renamed back, and why</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name and folder of each file that was not renamed, and why</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%Ln folder(s) were passed over; everything else was added.</source>
        <translation>
            <numerusform>%Ln folder was passed over; everything else was added.</numerusform>
            <numerusform>%Ln folders were passed over; everything else was added.</numerusform>
        </translation>
    </message>
    <message>
        <source>Folders passed over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each folder that was passed over, and why</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a link to a folder, not followed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Statuses</name>
    <message>
        <source>Renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not renamed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not renamed back: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename would refuse this file: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TypesDialog</name>
    <message>
        <source>File Types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Folder, and a folder dropped on the list, take the files of the types checked here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every file, whatever its type; the types checked below are kept for later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Types</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Types of files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The types are used from the next Load Folder on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file types in the settings cannot be read (%1). Check the types to use from now on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files whose names end in .%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check at least one type, or All Files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The type &quot;%1&quot; cannot be kept: a type has no spaces around it, no comma and no dot in front. Uncheck it to go on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file types were not saved, and the settings are as they were.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vornick::gui::CountsLine</name>
    <message>
        <source>Counts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &amp;Types...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the types of file that Load Folder takes</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%Ln row(s)</source>
        <translation>
            <numerusform>%Ln row</numerusform>
            <numerusform>%Ln rows</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 would be refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 renamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Last load added %Ln file(s)</source>
        <translation>
            <numerusform>Last load added %Ln file</numerusform>
            <numerusform>Last load added %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) of other types not taken: %1</source>
        <translation>
            <numerusform>%Ln file of another type not taken: %1</numerusform>
            <numerusform>%Ln files of other types not taken: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornick::gui::FindBar</name>
    <message>
        <source>Find rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fin&amp;d:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text in any column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows only the rows that hold this text in any column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ro&amp;ws:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows that would change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows Rename would refuse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renamed rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind of rows shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;heck the Rows Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unchec&amp;k the Rows Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every row the find bar shows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck every row the find bar shows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the find bar and show every row (Escape)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 rows</source>
        <translation>
            <numerusform>%1 of %2 row</numerusform>
            <numerusform>%1 of %2 rows</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vornick::gui::FormHost</name>
    <message>
        <source>Edit Proposed Name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vornick::gui::MainForm</name>
    <message>
        <source>Files to rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See the renames kept, and take an earlier one back (Ctrl+H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Names &amp;Safe for the Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewrite the proposed names of the selected rows (all rows when none is selected) into names the disk they are on takes; nothing is renamed until Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Proposed Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the name this row&apos;s file gets at Rename (F2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back to the Proposed Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the selected rows (all rows when none is selected) the names worked out for them again, in place of names typed or made safe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Check Selected Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every selected row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uncheck Selected Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck every selected row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the &amp;Rows Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every row the find bar shows (every row while it is closed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck every row the find bar shows (every row while it is closed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find rows by their text or their kind (Ctrl+F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open Containing Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the current row&apos;s folder in the file manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy &amp;Paths</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the full paths of the selected rows (Ctrl+C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &amp;Types...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the types of file that Load Folder takes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unchec&amp;k the Rows Shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vornick::gui::RenameModel</name>
    <message>
        <source>Edited by hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file name cannot be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; name folders, not files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file name cannot hold &quot;/&quot;: it separates folders.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file name cannot hold a NUL character.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is renamed already. Undo the Rename before you give it another name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vornick::gui::RenameView</name>
    <message>
        <source>Drop music files and folders here, or use Load Folder and Load Files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proposed name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

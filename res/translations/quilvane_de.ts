<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CDesignPage</name>
    <message>
        <source>Quilvaned</source>
        <translation>Quilvaned</translation>
    </message>
    <message>
        <source>Width : %1</source>
        <translation>Breite : %1</translation>
    </message>
    <message>
        <source>Height : %1</source>
        <translation>Höhe : %1</translation>
    </message>
    <message>
        <source>Type : %1</source>
        <translation>Typ : %1</translation>
    </message>
    <message>
        <source>Background Width : %1</source>
        <translation>Hintergrundbreite : %1</translation>
    </message>
    <message>
        <source>Background Height : %1</source>
        <translation>Hintergrundhöhe : %1</translation>
    </message>
    <message>
        <source>*.jpg| *.jpg||</source>
        <extracomment>A file-dialog filter: &quot;shown text|patterns||&quot;. Translate only the text before the first &quot;|&quot;.</extracomment>
        <translation>JPEG-Bild| *.jpg||</translation>
    </message>
    <message>
        <source>SRC</source>
        <extracomment>The name the file dialogs give picture files, before their patterns.</extracomment>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Save changes to the design?</source>
        <translation>Änderungen an der Gestaltung speichern?</translation>
    </message>
    <message>
        <source>The design cannot be saved as %1: %2</source>
        <extracomment>%1 is the file, %2 the reason.</extracomment>
        <translation>Die Gestaltung kann nicht als %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>These files of the design cannot be opened, so it is shown without them:

%1</source>
        <extracomment>%1 is the list of files, one a line.</extracomment>
        <translation>Diese Dateien der Gestaltung können nicht geöffnet werden; die Gestaltung wird ohne sie angezeigt:

%1</translation>
    </message>
    <message>
        <source>Quilvane designs</source>
        <extracomment>The name the file dialogs give design files, before their pattern.</extracomment>
        <translation>Quilvane-Gestaltungen</translation>
    </message>
    <message>
        <source>All files</source>
        <extracomment>The name the file dialogs give every file, before its pattern.</extracomment>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>CMainPropertySheet</name>
    <message>
        <source>Quilvane</source>
        <translation>Quilvane</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1[*] - Quilvane</source>
        <translation>%1[*] - Quilvane</translation>
    </message>
</context>
<context>
    <name>CSetWallpaperDlg</name>
    <message>
        <source>CENTER</source>
        <extracomment>The ways a slide is put on the desktop: centred, tiled, stretched.</extracomment>
        <translation>ZENTRIERT</translation>
    </message>
    <message>
        <source>TILE</source>
        <translation>KACHELN</translation>
    </message>
    <message>
        <source>STRETCH</source>
        <translation>STRECKEN</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Browse for Images</source>
        <translation>Bilderordner wählen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>*.lsl| *.lsl||</source>
        <extracomment>A file-dialog filter: &quot;shown text|patterns||&quot;. Translate only the text before the first &quot;|&quot;.</extracomment>
        <translation>Diashow-Liste| *.lsl||</translation>
    </message>
    <message>
        <source>Can not save empty list.</source>
        <translation>Eine leere Liste kann nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Can not open file!</source>
        <translation>Die Datei kann nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>Can not open %1.</source>
        <translation>%1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Starten</translation>
    </message>
</context>
<context>
    <name>DesignDocument</name>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <extracomment>%1 is the design file, %2 the reason.</extracomment>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>it is not a Quilvane design</source>
        <translation>sie ist keine Quilvane-Gestaltung</translation>
    </message>
    <message>
        <source>its format version is missing or not a number</source>
        <translation>ihre Formatversion fehlt oder ist keine Zahl</translation>
    </message>
    <message>
        <source>it was written in a newer design format (version %1) than this program reads (version %2)</source>
        <translation>sie wurde in einem neueren Gestaltungsformat (Version %1) geschrieben, als dieses Programm liest (Version %2)</translation>
    </message>
    <message>
        <source>it has no list of photos</source>
        <translation>sie enthält keine Liste der Fotos</translation>
    </message>
    <message>
        <source>it holds %1 photos, more than the %2 a design may have</source>
        <translation>sie enthält %1 Fotos, mehr als die %2, die eine Gestaltung haben darf</translation>
    </message>
    <message>
        <source>photo %1</source>
        <extracomment>The subject of the reasons below that start with %1.</extracomment>
        <translation>Foto %1</translation>
    </message>
    <message>
        <source>%1 has a file name that is not valid base64</source>
        <translation>%1 hat einen Dateinamen, der kein gültiges Base64 ist</translation>
    </message>
    <message>
        <source>%1 names no file</source>
        <translation>%1 nennt keine Datei</translation>
    </message>
    <message>
        <source>%1 has an empty or unusable file name</source>
        <translation>%1 hat einen leeren oder unbrauchbaren Dateinamen</translation>
    </message>
    <message>
        <source>it has no background</source>
        <translation>sie hat keinen Hintergrund</translation>
    </message>
    <message>
        <source>the background&apos;s size is missing or out of range</source>
        <translation>die Größe des Hintergrunds fehlt oder liegt außerhalb des zulässigen Bereichs</translation>
    </message>
    <message>
        <source>the background</source>
        <extracomment>The subject of the reasons that start with %1.</extracomment>
        <translation>der Hintergrund</translation>
    </message>
    <message>
        <source>%1 is not a photo</source>
        <translation>%1 ist kein Foto</translation>
    </message>
    <message>
        <source>%1 has a place that is missing or out of range</source>
        <translation>die Lage von %1 fehlt oder liegt außerhalb des zulässigen Bereichs</translation>
    </message>
    <message>
        <source>%1 has a list of edits that is not one or is too long</source>
        <translation>%1 hat eine ungültige oder zu lange Liste von Bearbeitungen</translation>
    </message>
    <message>
        <source>%1 has an edit this program does not know</source>
        <translation>%1 hat eine Bearbeitung, die dieses Programm nicht kennt</translation>
    </message>
    <message>
        <source>%1 has a decode box that is out of range</source>
        <translation>%1 hat einen Dekodierrahmen außerhalb des zulässigen Bereichs</translation>
    </message>
    <message>
        <source>it is larger than %1 MB</source>
        <translation>sie ist größer als %1 MB</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>sie existiert nicht</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Quilvane Version 1.0</source>
        <translation>Quilvane Version 1.0</translation>
    </message>
    <message>
        <source>Version 1.0.1 (Build 20)</source>
        <translation>Version 1.0.1 (Build 20)</translation>
    </message>
    <message>
        <source>Compose your desktop from your own photos.</source>
        <translation>Gestalten Sie Ihren Desktop aus eigenen Fotos.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Change Background</source>
        <translation>Hintergrund ändern</translation>
    </message>
    <message>
        <source>Set As Wallpaper</source>
        <translation>Als Hintergrundbild</translation>
    </message>
    <message>
        <source>Save As JPG</source>
        <translation>Als JPG speichern</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Photo Select</source>
        <translation>Fotoauswahl</translation>
    </message>
    <message>
        <source>WallPaper Design</source>
        <translation>Hintergrundbild gestalten</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Auf</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzu</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Ab</translation>
    </message>
    <message>
        <source>Set Wallpaper</source>
        <translation>Als Hintergrundbild</translation>
    </message>
    <message>
        <source>Set As Wallpaper Slide Show</source>
        <translation>Hintergrundbild-Diashow</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Slide Frequency</source>
        <translation>Wechsel alle</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Show Type</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Save List</source>
        <translation>Liste speichern</translation>
    </message>
    <message>
        <source>Open List</source>
        <translation>Liste öffnen</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>&amp;Show tips on startup</source>
        <translation>Tipps beim &amp;Start</translation>
    </message>
    <message>
        <source>Next Tip</source>
        <translation>Nächster Tipp</translation>
    </message>
    <message>
        <source>About Quilvane V1</source>
        <translation>Über Quilvane V1</translation>
    </message>
    <message>
        <source>Design</source>
        <translation>Gestaltung</translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>Tip of the day</source>
        <translation>Tipp des Tages</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Context Menu</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>&amp;Configure Tessorel</source>
        <translation>Tessorel &amp;konfigurieren</translation>
    </message>
    <message>
        <source>&amp;About Tessorel</source>
        <translation>&amp;Über Tessorel</translation>
    </message>
    <message>
        <source>E&amp;xit Tessorel</source>
        <translation>Tessorel &amp;beenden</translation>
    </message>
    <message>
        <source>Click Photo</source>
        <translation>Klick auf ein Foto</translation>
    </message>
    <message>
        <source>&amp;Change Photo Image</source>
        <translation>Foto&amp;bild ändern</translation>
    </message>
    <message>
        <source>&amp;Delete Photo</source>
        <translation>Foto &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Restore Actual ZoomRatio</source>
        <translation>&amp;Ursprüngliches Seitenverhältnis wiederherstellen</translation>
    </message>
    <message>
        <source>Click BackGround</source>
        <translation>Klick auf den Hintergrund</translation>
    </message>
    <message>
        <source>&amp;Change Background</source>
        <translation>&amp;Hintergrund ändern</translation>
    </message>
    <message>
        <source>&amp;Add Photo</source>
        <translation>Foto hin&amp;zufügen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit Photos</source>
        <translation>Fotos &amp;bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Mirror</source>
        <translation>Horizontal &amp;spiegeln</translation>
    </message>
    <message>
        <source>&amp;Flip</source>
        <translation>&amp;Vertikal spiegeln</translation>
    </message>
    <message>
        <source>&amp;Negative</source>
        <translation>&amp;Negativ</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Nach &amp;links drehen</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Nach &amp;rechts drehen</translation>
    </message>
    <message>
        <source>Gray Scale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Tip of day</source>
        <translation>&amp;Tipp des Tages</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Restore at &amp;Login</source>
        <translation>Bei der &amp;Anmeldung wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>&amp;About Quilvane...</source>
        <translation>Ü&amp;ber Quilvane...</translation>
    </message>
    <message>
        <source>Trouble reading the tips file</source>
        <translation>Fehler beim Lesen der Tippdatei</translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation>Wussten Sie schon...</translation>
    </message>
</context>
<context>
    <name>Tips</name>
    <message>
        <source>Drag a photo from the file list on the Design tab and drop it on the design canvas to add it to your wallpaper.</source>
        <translation>Ziehen Sie ein Foto aus der Dateiliste der Registerkarte Gestaltung auf die Gestaltungsfläche, um es Ihrem Hintergrundbild hinzuzufügen.</translation>
    </message>
    <message>
        <source>Pick a photo in the list to see it in the preview, together with its width, height and bits per pixel, before you use it.</source>
        <translation>Wählen Sie ein Foto in der Liste, um es vor der Verwendung in der Vorschau zu sehen, zusammen mit seiner Breite, Höhe und den Bits pro Pixel.</translation>
    </message>
    <message>
        <source>Click a photo on the canvas to select it, then drag it to move it or drag its handles to resize it.</source>
        <translation>Klicken Sie ein Foto auf der Gestaltungsfläche an, um es auszuwählen. Ziehen Sie es dann, um es zu verschieben, oder ziehen Sie an seinen Griffen, um seine Größe zu ändern.</translation>
    </message>
    <message>
        <source>Press the Delete key to remove the selected photo from the design.</source>
        <translation>Drücken Sie die Entf-Taste, um das ausgewählte Foto aus der Gestaltung zu entfernen.</translation>
    </message>
    <message>
        <source>Right-click a photo on the canvas for Change Photo Image, Delete Photo and Restore Actual ZoomRatio.</source>
        <translation>Ein Rechtsklick auf ein Foto auf der Gestaltungsfläche bietet Fotobild ändern, Foto löschen und Ursprüngliches Seitenverhältnis wiederherstellen.</translation>
    </message>
    <message>
        <source>Stretched a photo out of shape? Right-click it and choose Restore Actual ZoomRatio to bring back its own proportions.</source>
        <translation>Ein Foto verzerrt? Klicken Sie es mit der rechten Maustaste an und wählen Sie Ursprüngliches Seitenverhältnis wiederherstellen, um seine eigenen Proportionen zurückzuholen.</translation>
    </message>
    <message>
        <source>Right-click an empty part of the canvas and choose Change Background to put a different picture behind your photos.</source>
        <translation>Klicken Sie mit der rechten Maustaste auf eine freie Stelle der Gestaltungsfläche und wählen Sie Hintergrund ändern, um ein anderes Bild hinter Ihre Fotos zu legen.</translation>
    </message>
    <message>
        <source>Right-click the canvas background and choose Add Photo to place a photo without dragging it from the list.</source>
        <translation>Klicken Sie mit der rechten Maustaste auf den Hintergrund der Gestaltungsfläche und wählen Sie Foto hinzufügen, um ein Foto einzufügen, ohne es aus der Liste zu ziehen.</translation>
    </message>
    <message>
        <source>The Edit Photos menu can Mirror, Flip, Rotate Left, Rotate Right, turn a photo Gray Scale or make it a Negative.</source>
        <translation>Im Menü Fotos bearbeiten können Sie ein Foto horizontal oder vertikal spiegeln, nach links oder rechts drehen, in Graustufen umwandeln oder ins Negativ verkehren.</translation>
    </message>
    <message>
        <source>Press Preview to see your design full screen; double-click anywhere to close the preview.</source>
        <translation>Drücken Sie Vorschau, um Ihre Gestaltung im Vollbild zu sehen; ein Doppelklick an beliebiger Stelle schließt die Vorschau.</translation>
    </message>
    <message>
        <source>Use Save As JPG to keep a design as a picture file of its own without changing the desktop.</source>
        <translation>Mit Als JPG speichern bewahren Sie eine Gestaltung als eigene Bilddatei auf, ohne den Desktop zu ändern.</translation>
    </message>
    <message>
        <source>OK hides Quilvane into the tray. Double-click the tray icon to bring the window back, or right-click it for a menu.</source>
        <translation>OK legt Quilvane in den Infobereich. Ein Doppelklick auf sein Symbol dort holt das Fenster zurück, ein Rechtsklick öffnet ein Menü.</translation>
    </message>
    <message>
        <source>Select a picture on the Wallpaper tab and press Add to put it in the slide list; Up and Down change its place in the show.</source>
        <translation>Wählen Sie auf der Registerkarte Hintergrundbild ein Bild und drücken Sie Hinzu, um es in die Liste der Dias aufzunehmen; Auf und Ab ändern seinen Platz in der Diashow.</translation>
    </message>
    <message>
        <source>Remove takes the selected slide out of the list and Remove All empties it; the picture files themselves are not touched.</source>
        <translation>Entfernen nimmt das ausgewählte Dia aus der Liste, Alle entfernen leert sie; die Bilddateien selbst bleiben unberührt.</translation>
    </message>
    <message>
        <source>Set Wallpaper puts the selected slide on the desktop with the chosen Show Type: CENTER, TILE or STRETCH.</source>
        <translation>Als Hintergrundbild legt das ausgewählte Dia in der gewählten Anzeige auf den Desktop: ZENTRIERT, KACHELN oder STRECKEN.</translation>
    </message>
    <message>
        <source>Save List keeps your slide list in a .lsl file, and Open List loads it again another day.</source>
        <translation>Liste speichern bewahrt Ihre Liste der Dias in einer .lsl-Datei auf, Liste öffnen lädt sie an einem anderen Tag wieder.</translation>
    </message>
    <message>
        <source>Press Play to start a slide show; the slider sets how many seconds, from 1 to 60, each wallpaper stays before the next.</source>
        <translation>Drücken Sie Starten, um eine Diashow zu beginnen; der Schieberegler legt fest, wie viele Sekunden (1 bis 60) jedes Hintergrundbild bleibt, bevor das nächste kommt.</translation>
    </message>
    <message>
        <source>Tick Random before you press Play to show your slides in a shuffled order. Stop ends the slide show.</source>
        <translation>Setzen Sie vor dem Starten einen Haken bei Zufällig, um Ihre Dias in gemischter Reihenfolge zu zeigen. Stopp beendet die Diashow.</translation>
    </message>
    <message>
        <source>You can read these tips at any time from Help &gt; Tip of day.</source>
        <translation>Sie können diese Tipps jederzeit über Hilfe &gt; Tipp des Tages lesen.</translation>
    </message>
    <message>
        <source>Do not want tips at start-up? Untick &quot;Show tips on startup&quot; and press OK.</source>
        <translation>Keine Tipps beim Start gewünscht? Entfernen Sie den Haken bei „Tipps beim Start“ und drücken Sie OK.</translation>
    </message>
    <message>
        <source>Set As Wallpaper saves your design as wallpaper/wallpaper_N.jpg, using the next free number, and puts it on the desktop centred.</source>
        <translation>Als Hintergrundbild speichert Ihre Gestaltung unter der nächsten freien Nummer als wallpaper/wallpaper_N.jpg und legt sie zentriert auf den Desktop.</translation>
    </message>
    <message>
        <source>On the Wallpaper tab, press &quot;...&quot; to choose the folder your slides come from. The wallpaper folder, where Set As Wallpaper puts its pictures, is used until you pick another.</source>
        <translation>Drücken Sie auf der Registerkarte Hintergrundbild „...“, um den Ordner zu wählen, aus dem Ihre Dias kommen. Bis Sie einen anderen wählen, gilt der Ordner „wallpaper“, in den Als Hintergrundbild seine Bilder legt.</translation>
    </message>
</context>
</TS>

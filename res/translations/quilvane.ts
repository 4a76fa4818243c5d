<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CDesignPage</name>
    <message>
        <source>Quilvaned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quilvane designs</source>
        <extracomment>The name the file dialogs give design files, before their pattern.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <extracomment>The name the file dialogs give every file, before its pattern.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to the design?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The design cannot be saved as %1: %2</source>
        <extracomment>%1 is the file, %2 the reason.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files of the design cannot be opened, so it is shown without them:

%1</source>
        <extracomment>%1 is the list of files, one a line.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*.jpg| *.jpg||</source>
        <extracomment>A file-dialog filter: &quot;shown text|patterns||&quot;. Translate only the text before the first &quot;|&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background Width : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background Height : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SRC</source>
        <extracomment>The name the file dialogs give picture files, before their patterns.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainPropertySheet</name>
    <message>
        <source>Quilvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1[*] - Quilvane</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSetWallpaperDlg</name>
    <message>
        <source>CENTER</source>
        <extracomment>The ways a slide is put on the desktop: centred, tiled, stretched.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STRETCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>*.lsl| *.lsl||</source>
        <extracomment>A file-dialog filter: &quot;shown text|patterns||&quot;. Translate only the text before the first &quot;|&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not save empty list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not open file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not open %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesignDocument</name>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <extracomment>%1 is the design file, %2 the reason.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a Quilvane design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its format version is missing or not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it was written in a newer design format (version %1) than this program reads (version %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no list of photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds %1 photos, more than the %2 a design may have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>photo %1</source>
        <extracomment>The subject of the reasons below that start with %1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has a file name that is not valid base64</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 names no file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has an empty or unusable file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the background&apos;s size is missing or out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the background</source>
        <extracomment>The subject of the reasons that start with %1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has a place that is missing or out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has a list of edits that is not one or is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has an edit this program does not know</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has a decode box that is out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is larger than %1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Quilvane Version 1.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.0.1 (Build 20)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compose your desktop from your own photos.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set As Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As JPG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WallPaper Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set As Wallpaper Slide Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Random</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show tips on startup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quilvane V1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip of the day</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Context Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Configure Tessorel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Tessorel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit Tessorel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change Photo Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore Actual ZoomRatio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click BackGround</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore at &amp;Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mirror</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Flip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gray Scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tip of day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>&amp;About Quilvane...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trouble reading the tips file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tips</name>
    <message>
        <source>Drag a photo from the file list on the Design tab and drop it on the design canvas to add it to your wallpaper.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a photo in the list to see it in the preview, together with its width, height and bits per pixel, before you use it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click a photo on the canvas to select it, then drag it to move it or drag its handles to resize it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press the Delete key to remove the selected photo from the design.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right-click a photo on the canvas for Change Photo Image, Delete Photo and Restore Actual ZoomRatio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stretched a photo out of shape? Right-click it and choose Restore Actual ZoomRatio to bring back its own proportions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right-click an empty part of the canvas and choose Change Background to put a different picture behind your photos.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right-click the canvas background and choose Add Photo to place a photo without dragging it from the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Edit Photos menu can Mirror, Flip, Rotate Left, Rotate Right, turn a photo Gray Scale or make it a Negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Preview to see your design full screen; double-click anywhere to close the preview.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set As Wallpaper saves your design as wallpaper/wallpaper_N.jpg, using the next free number, and puts it on the desktop centred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Save As JPG to keep a design as a picture file of its own without changing the desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK hides Quilvane into the tray. Double-click the tray icon to bring the window back, or right-click it for a menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the Wallpaper tab, press &quot;...&quot; to choose the folder your slides come from. The wallpaper folder, where Set As Wallpaper puts its pictures, is used until you pick another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a picture on the Wallpaper tab and press Add to put it in the slide list; Up and Down change its place in the show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove takes the selected slide out of the list and Remove All empties it; the picture files themselves are not touched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Wallpaper puts the selected slide on the desktop with the chosen Show Type: CENTER, TILE or STRETCH.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save List keeps your slide list in a .lsl file, and Open List loads it again another day.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Play to start a slide show; the slider sets how many seconds, from 1 to 60, each wallpaper stays before the next.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tick Random before you press Play to show your slides in a shuffled order. Stop ends the slide show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can read these tips at any time from Help &gt; Tip of day.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do not want tips at start-up? Untick &quot;Show tips on startup&quot; and press OK.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutText</name>
    <message>
        <source>An adding-machine calculator with a rolling tape: every line can be corrected at any time, and the grand total follows at once.</source>
        <translation>Eine Addiermaschine mit mitlaufendem Rechenstreifen: Jede Zeile lässt sich jederzeit berichtigen, und die Gesamtsumme folgt sofort.</translation>
    </message>
    <message>
        <source>Free software under the MIT licence (Expat).</source>
        <translation>Freie Software unter der MIT-Lizenz (Expat).</translation>
    </message>
    <message>
        <source>Qt version %1 (built with %2).</source>
        <translation>Qt-Version %1 (erstellt mit %2).</translation>
    </message>
</context>
<context>
    <name>CalculationFiles</name>
    <message>
        <source>Open Calculation...</source>
        <translation>Rechnung öffnen...</translation>
    </message>
    <message>
        <source>Save Calculation...</source>
        <translation>Rechnung speichern...</translation>
    </message>
    <message>
        <source>Cannot write to read only file or drive...</source>
        <translation>Schreibgeschützte Datei oder schreibgeschütztes Laufwerk – Schreiben nicht möglich...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be opened.
%2</source>
        <translation>&quot;%1&quot; konnte nicht geöffnet werden.
%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not saved: %2</source>
        <translation>&quot;%1&quot; wurde nicht gespeichert: %2</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
</context>
<context>
    <name>DesignTexts</name>
    <message>
        <source>(Educational Version)</source>
        <translation>(Lernausgabe)</translation>
    </message>
    <message>
        <source>Decimal point...</source>
        <translation>Dezimalkomma...</translation>
    </message>
    <message>
        <source>Clear All...</source>
        <translation>Alles löschen...</translation>
    </message>
    <message>
        <source>Addition...</source>
        <translation>Addition...</translation>
    </message>
    <message>
        <source>Subtraction...</source>
        <translation>Subtraktion...</translation>
    </message>
    <message>
        <source>Multiplication...</source>
        <translation>Multiplikation...</translation>
    </message>
    <message>
        <source>Division...</source>
        <translation>Division...</translation>
    </message>
    <message>
        <source>Clear current number...</source>
        <translation>Aktuelle Zahl löschen...</translation>
    </message>
    <message>
        <source>Back space...</source>
        <translation>Zeichen zurück löschen...</translation>
    </message>
    <message>
        <source>Raise a number to the power of an exponent</source>
        <translation>Eine Zahl mit einem Exponenten potenzieren</translation>
    </message>
    <message>
        <source>Store selected value to memory...</source>
        <translation>Gewählten Wert im Speicher ablegen...</translation>
    </message>
    <message>
        <source>Memory Recall...</source>
        <translation>Speicher abrufen...</translation>
    </message>
    <message>
        <source>Store total to memory...</source>
        <translation>Summe im Speicher ablegen...</translation>
    </message>
    <message>
        <source>Value of Pi.</source>
        <translation>Wert von Pi.</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Edit function buttons...</source>
        <translation>Funktionstasten bearbeiten...</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Average : </source>
        <translation>Durchschnitt : </translation>
    </message>
    <message>
        <source>Mean : </source>
        <translation>Median : </translation>
    </message>
    <message>
        <source>Mode : </source>
        <translation>Häufigster Wert : </translation>
    </message>
    <message>
        <source>Invaded / Score : </source>
        <translation>Erobert / Punkte : </translation>
    </message>
    <message>
        <source>Specifying e (the base of natural logarithms) raised to a power.</source>
        <translation>Gibt e (die Basis der natürlichen Logarithmen) hoch einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the natural logarithm of a number</source>
        <translation>Gibt den natürlichen Logarithmus einer Zahl an</translation>
    </message>
    <message>
        <source>Specifying the square root of a number.</source>
        <translation>Gibt die Quadratwurzel einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the sine of an angle</source>
        <translation>Gibt den Sinus eines Winkels an</translation>
    </message>
    <message>
        <source>Specifying the cosine of an angle</source>
        <translation>Gibt den Kosinus eines Winkels an</translation>
    </message>
    <message>
        <source>Specifying the tangent of an angle</source>
        <translation>Gibt den Tangens eines Winkels an</translation>
    </message>
    <message>
        <source>Specifying the Cotangent of a number.</source>
        <translation>Gibt den Kotangens einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the Cosecant of a number.</source>
        <translation>Gibt den Kosekans einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the Secant of a number.</source>
        <translation>Gibt den Sekans einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the Inverse Sine of a number.</source>
        <translation>Gibt den Arkussinus einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the Inverse Cosine of a number.</source>
        <translation>Gibt den Arkuskosinus einer Zahl an.</translation>
    </message>
    <message>
        <source>Specifying the Inverse Tangent of a number.</source>
        <translation>Gibt den Arkustangens einer Zahl an.</translation>
    </message>
    <message>
        <source>Fix function returns the current total to the first negative integer greater than or equal to number...</source>
        <translation>Die Funktion Fix schneidet die Nachkommastellen der aktuellen Summe ab (rundet zur Null hin)...</translation>
    </message>
    <message>
        <source>Int function returns the total of first negative integer less than or equal to number...</source>
        <translation>Die Funktion Int gibt die größte ganze Zahl zurück, die nicht größer als die Summe ist...</translation>
    </message>
    <message>
        <source>Round funtion returns a number rounded to a specified number of decimal places... Roun(1) - Rounds total to one decimal place...</source>
        <translation>Die Funktion Roun rundet auf die angegebene Zahl von Dezimalstellen... Roun(1) - rundet die Summe auf eine Dezimalstelle...</translation>
    </message>
    <message>
        <source>Volume of Sphere... Svol(Radius)</source>
        <translation>Kugelvolumen... Svol(Radius)</translation>
    </message>
    <message>
        <source>Pounds to Kilograms function button... Kilo(Pounds)</source>
        <translation>Funktionstaste Pfund in Kilogramm... Kilo(Pfund)</translation>
    </message>
    <message>
        <source>Kilograms to Pounds function button... Ibs(Kilos)</source>
        <translation>Funktionstaste Kilogramm in Pfund... Ibs(Kilogramm)</translation>
    </message>
    <message>
        <source>Custom function button...</source>
        <translation>Eigene Funktionstaste...</translation>
    </message>
</context>
<context>
    <name>FileReasons</name>
    <message>
        <source>tape line %1 would not open again: %2</source>
        <translation>Streifenzeile %1 ließe sich nicht wieder öffnen: %2</translation>
    </message>
    <message>
        <source>the file would not open again: %1</source>
        <translation>die Datei ließe sich nicht wieder öffnen: %1</translation>
    </message>
    <message>
        <source>%1 does not start with an operator (+ - x / ^)</source>
        <translation>%1 beginnt nicht mit einem Rechenzeichen (+ - x / ^)</translation>
    </message>
    <message>
        <source>%1 holds the grouping symbol &quot;%2&quot;</source>
        <translation>%1 enthält das Tausendertrennzeichen „%2“</translation>
    </message>
    <message>
        <source>%1 is out of range</source>
        <translation>%1 liegt außerhalb des Zahlenbereichs</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <source>the line is longer than %1 bytes</source>
        <translation>die Zeile ist länger als %1 Byte</translation>
    </message>
    <message>
        <source>the tape would have more than %1 lines</source>
        <translation>der Streifen hätte mehr als %1 Zeilen</translation>
    </message>
    <message>
        <source>the file is larger than %1 bytes</source>
        <translation>die Datei ist größer als %1 Byte</translation>
    </message>
    <message>
        <source>cannot write the file (%1)</source>
        <translation>die Datei kann nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>cannot open file (%1)</source>
        <translation>die Datei kann nicht geöffnet werden (%1)</translation>
    </message>
    <message>
        <source>read error (%1)</source>
        <translation>Lesefehler (%1)</translation>
    </message>
    <message>
        <source>cannot replace the file (%1)</source>
        <translation>die Datei kann nicht ersetzt werden (%1)</translation>
    </message>
    <message>
        <source>the line is empty</source>
        <translation>die Zeile ist leer</translation>
    </message>
    <message>
        <source>the file is empty: no header line</source>
        <translation>die Datei ist leer: keine Kopfzeile</translation>
    </message>
    <message>
        <source>no tape line after the header</source>
        <translation>keine Streifenzeile nach der Kopfzeile</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>no permission to write in the file&apos;s folder</source>
        <translation>keine Berechtigung, in den Ordner der Datei zu schreiben</translation>
    </message>
    <message>
        <source>the drive is read-only</source>
        <translation>das Laufwerk ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>der Ordner existiert nicht</translation>
    </message>
    <message>
        <source>the file name is too long</source>
        <translation>der Dateiname ist zu lang</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>das Speicherkontingent ist aufgebraucht</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>ist ein Ordner</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>not a file name</source>
        <translation>kein Dateiname</translation>
    </message>
    <message>
        <source>file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>cannot choose a temporary file name</source>
        <translation>kein Name für eine temporäre Datei frei</translation>
    </message>
    <message>
        <source>no file name</source>
        <translation>kein Dateiname</translation>
    </message>
    <message>
        <source>Line %1: %2.</source>
        <translation>Zeile %1: %2.</translation>
    </message>
</context>
<context>
    <name>FileProblems</name>
    <message>
        <source>the note %1 is longer than %2 characters or holds a control character</source>
        <translation>die Notiz %1 ist länger als %2 Zeichen oder enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <source>a calculation file is not replaced by an export</source>
        <translation>eine Rechnungsdatei wird nicht durch einen Export ersetzt</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>ist ein Ordner</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>die Datei kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the file is larger than %1 bytes</source>
        <translation>die Datei ist größer als %1 Byte</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>no permission to write in the file&apos;s folder</source>
        <translation>keine Berechtigung, im Ordner der Datei zu schreiben</translation>
    </message>
    <message>
        <source>the drive is read-only</source>
        <translation>das Laufwerk ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the folder does not exist</source>
        <translation>den Ordner gibt es nicht</translation>
    </message>
    <message>
        <source>the file name is too long</source>
        <translation>der Dateiname ist zu lang</translation>
    </message>
    <message>
        <source>the disk quota is used up</source>
        <translation>das Speicherkontingent ist aufgebraucht</translation>
    </message>
    <message>
        <source>cannot write the file (%1)</source>
        <translation>die Datei kann nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>cannot replace the file (%1)</source>
        <translation>die Datei kann nicht ersetzt werden (%1)</translation>
    </message>
    <message>
        <source>not a file name</source>
        <translation>kein Dateiname</translation>
    </message>
    <message>
        <source>file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>cannot choose a temporary file name</source>
        <translation>kein Name für eine temporäre Datei frei</translation>
    </message>
    <message>
        <source>the file is empty: no header line</source>
        <translation>die Datei ist leer: keine Kopfzeile</translation>
    </message>
    <message>
        <source>%1 is not the header of a calculation file (&quot;Ferrowick 6&quot;)</source>
        <translation>%1 ist nicht die Kopfzeile einer Rechnungsdatei (&quot;Ferrowick 6&quot;)</translation>
    </message>
    <message>
        <source>no tape line after the header</source>
        <translation>keine Streifenzeile nach der Kopfzeile</translation>
    </message>
    <message>
        <source>the line is empty</source>
        <translation>die Zeile ist leer</translation>
    </message>
    <message>
        <source>the tape would have more than %1 lines</source>
        <translation>der Streifen hätte mehr als %1 Zeilen</translation>
    </message>
    <message>
        <source>the line is longer than %1 bytes</source>
        <translation>die Zeile ist länger als %1 Byte</translation>
    </message>
    <message>
        <source>%1 does not start with an operator (+ - x / ^)</source>
        <translation>%1 beginnt nicht mit einem Rechenzeichen (+ - x / ^)</translation>
    </message>
    <message>
        <source>%1 holds the grouping symbol &quot;%2&quot;</source>
        <translation>%1 enthält das Tausendertrennzeichen &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 is out of range</source>
        <translation>%1 liegt außerhalb des Zahlenbereichs</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <source>Line %1: %2.</source>
        <translation>Zeile %1: %2.</translation>
    </message>
    <message>
        <source>Tape line %1 would not open again: %2.</source>
        <translation>Streifenzeile %1 ließe sich nicht wieder öffnen: %2.</translation>
    </message>
    <message>
        <source>The file would not open again: %1.</source>
        <translation>Die Datei ließe sich nicht wieder öffnen: %1.</translation>
    </message>
</context>
<context>
    <name>PrintTape</name>
    <message>
        <source>the total is too wide for the page.</source>
        <translation>die Summe ist zu breit für die Seite.</translation>
    </message>
    <message>
        <source>%1 could not be started.</source>
        <translation>%1 konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>the printer could not start page %1.</source>
        <translation>der Drucker konnte Seite %1 nicht beginnen.</translation>
    </message>
    <message>
        <source>the document could not be completed.</source>
        <translation>das Dokument konnte nicht abgeschlossen werden.</translation>
    </message>
    <message>
        <source>the document</source>
        <translation>das Dokument</translation>
    </message>
    <message>
        <source>the printer is not available.</source>
        <translation>der Drucker ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>the printer &quot;%1&quot;</source>
        <translation>der Drucker „%1“</translation>
    </message>
    <message>
        <source>no default printer is set up.</source>
        <translation>es ist kein Standarddrucker eingerichtet.</translation>
    </message>
    <message>
        <source>no memory for the document.</source>
        <translation>kein Speicher für das Dokument.</translation>
    </message>
    <message>
        <source>no output file was named.</source>
        <translation>es wurde keine Ausgabedatei angegeben.</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>PDF exportieren</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>The tape was not printed: %1</source>
        <translation>Der Streifen wurde nicht gedruckt: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written: %2</source>
        <translation>&quot;%1&quot; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not end in &quot;.pdf&quot;; a PDF file is written only under such a name.</source>
        <translation>&quot;%1&quot; endet nicht auf &quot;.pdf&quot;; eine PDF-Datei wird nur unter einem solchen Namen geschrieben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists and is not a PDF file, so it is not replaced.</source>
        <translation>&quot;%1&quot; gibt es schon, und es ist keine PDF-Datei; sie wird daher nicht ersetzt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which is not a PDF file, so it is not replaced.</source>
        <translation>&quot;%1&quot; ist eine Verknüpfung auf &quot;%2&quot;, das keine PDF-Datei ist; sie wird daher nicht ersetzt.</translation>
    </message>
    <message>
        <source>Calculation tape</source>
        <translation>Rechenstreifen</translation>
    </message>
    <message>
        <source>Print running totals</source>
        <translation>Zwischensummen drucken</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Clear &amp;All...</source>
        <translation>&amp;Alles löschen...</translation>
    </message>
    <message>
        <source>&amp;Open Calculation...</source>
        <translation>Rechnung ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save Calculation...</source>
        <translation>Rechnung &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Copy Numbers...</source>
        <translation>Zahlen &amp;kopieren...</translation>
    </message>
    <message>
        <source>&amp;Paste Numbers...</source>
        <translation>Zahlen &amp;einfügen...</translation>
    </message>
    <message>
        <source>Sor&amp;t Numbers...</source>
        <translation>Zahlen so&amp;rtieren...</translation>
    </message>
    <message>
        <source>Pr&amp;int Calculation...</source>
        <translation>Rechnung &amp;drucken...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>Dr&amp;ucken...</translation>
    </message>
    <message>
        <source>&amp;Export PDF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>&amp;Decimals</source>
        <translation>&amp;Dezimalstellen</translation>
    </message>
    <message>
        <source>&amp;Variable</source>
        <translation>&amp;Variabel</translation>
    </message>
    <message>
        <source>&amp;Total</source>
        <translation>&amp;Summe</translation>
    </message>
    <message>
        <source>&amp;Numbers...</source>
        <translation>&amp;Zahlen...</translation>
    </message>
    <message>
        <source>&amp;Average...</source>
        <translation>&amp;Durchschnitt...</translation>
    </message>
    <message>
        <source>&amp;Mean...</source>
        <translation>&amp;Median...</translation>
    </message>
    <message>
        <source>M&amp;ode...</source>
        <translation>&amp;Häufigster Wert...</translation>
    </message>
    <message>
        <source>&amp;Games</source>
        <translation>S&amp;piele</translation>
    </message>
    <message>
        <source>Start Nixie &amp;Invaders...</source>
        <translation>Nixie &amp;Invaders starten...</translation>
    </message>
    <message>
        <source>Start Nixie &amp;Blaster...</source>
        <translation>Nixie &amp;Blaster starten...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;About Quillmate</source>
        <translation>Ü&amp;ber Quillmate</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Reopen &amp;Last Tape</source>
        <translation>&amp;Letzten Streifen wieder öffnen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Cop&amp;y Tape</source>
        <translation>Streifen kop&amp;ieren</translation>
    </message>
    <message>
        <source>E&amp;xport CSV...</source>
        <translation>CSV e&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Note...</source>
        <translation>&amp;Notiz...</translation>
    </message>
</context>
<context>
    <name>qm::ui::HighScorePanel</name>
    <message>
        <source>Top 20 Scores</source>
        <translation>Die 20 besten Ergebnisse</translation>
    </message>
</context>
<context>
    <name>qm::ui::FunctionButtonEditor</name>
    <message>
        <source>Function button %1</source>
        <translation>Funktionstaste %1</translation>
    </message>
    <message>
        <source>Edit Function Button...</source>
        <translation>Funktionstaste bearbeiten...</translation>
    </message>
    <message>
        <source>X - Represent Input(x) value to pass to the function.</source>
        <translation>X - steht für den Eingabewert (x), der an die Funktion geht.</translation>
    </message>
    <message>
        <source>T - Represent current total value pass to the function.</source>
        <translation>T - steht für die aktuelle Summe, die an die Funktion geht.</translation>
    </message>
    <message>
        <source>Formula Fix Values :</source>
        <translation>Feste Werte der Formel :</translation>
    </message>
    <message>
        <source>Select the function to use or create a new one...</source>
        <translation>Die zu verwendende Funktion wählen oder eine neue anlegen...</translation>
    </message>
    <message>
        <source>Enter the Function Formula... Example (T/10+X+1)</source>
        <translation>Die Formel der Funktion eingeben... Beispiel (T/10+X+1)</translation>
    </message>
    <message>
        <source>Enter the text to show when the pointer rests on the button...</source>
        <translation>Den Text eingeben, der erscheint, wenn der Zeiger auf der Taste ruht...</translation>
    </message>
    <message>
        <source>&amp;Use</source>
        <translation>&amp;Übernehmen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Function :</source>
        <translation>&amp;Funktion :</translation>
    </message>
    <message>
        <source> Function F&amp;ormula :</source>
        <translation> F&amp;ormel der Funktion :</translation>
    </message>
    <message>
        <source>Select &amp;button to edit:</source>
        <translation>Zu bearbeitende &amp;Taste wählen:</translation>
    </message>
    <message>
        <source>Function Tool &amp;Tip Text :</source>
        <translation>&amp;Hinweistext der Funktion :</translation>
    </message>
</context>
<context>
    <name>qm::ui::FunctionPad</name>
    <message>
        <source>Custom function %1</source>
        <translation>Eigene Funktion %1</translation>
    </message>
</context>
<context>
    <name>qm::ui::GameController</name>
    <message>
        <source>You have Scored a Top Position...</source>
        <translation>Sie haben einen Spitzenplatz erreicht...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Enter your &amp;Name...</source>
        <translation>Ihren &amp;Namen eingeben...</translation>
    </message>
</context>
<context>
    <name>qm::ui::Keypad</name>
    <message>
        <source>Decimal separator</source>
        <translation>Dezimaltrennzeichen</translation>
    </message>
</context>
<context>
    <name>qm::ui::FileDialog</name>
    <message>
        <source>Drives, folders and files</source>
        <translation>Laufwerke, Ordner und Dateien</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Type a name for the file</source>
        <translation>Geben Sie einen Namen für die Datei ein</translation>
    </message>
    <message>
        <source>Replace %1?</source>
        <translation>%1 ersetzen?</translation>
    </message>
    <message>
        <source>File &amp;Name:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>A file name cannot contain &quot;%1&quot;.</source>
        <translation>Ein Dateiname kann &quot;%1&quot; nicht enthalten.</translation>
    </message>
    <message>
        <source>Calculation files end in %1. Save &quot;%2&quot; as &quot;%3&quot;?</source>
        <translation>Rechnungsdateien enden auf %1. &quot;%2&quot; als &quot;%3&quot; speichern?</translation>
    </message>
</context>
<context>
    <name>qm::ui::MainWindow</name>
    <message>
        <source>About Quillmate</source>
        <translation>Über Quillmate</translation>
    </message>
    <message>
        <source>The tape is full: it holds at most %L1 lines.</source>
        <translation>Der Streifen ist voll: Er fasst höchstens %L1 Zeilen.</translation>
    </message>
    <message>
        <source>The tape is full: %1 of %2 lines were pasted.</source>
        <translation>Der Streifen ist voll: %1 von %2 Zeilen wurden eingefügt.</translation>
    </message>
    <message>
        <source>The program did not close normally last time. Reopen the last tape?</source>
        <translation>Das Programm wurde zuletzt nicht ordnungsgemäß beendet. Den letzten Streifen wieder öffnen?</translation>
    </message>
    <message>
        <source>The copy of the tape kept against a crash could not be written (%1). Save the tape to keep it safe.</source>
        <translation>Die Kopie des Streifens für den Fall eines Absturzes konnte nicht geschrieben werden (%1). Speichern Sie den Streifen, um ihn zu sichern.</translation>
    </message>
    <message>
        <source>The program did not close normally last time. Reopen one of these tapes?
Those not reopened are offered again at the next start; No makes the newest the last tape.</source>
        <translation>Das Programm wurde zuletzt nicht ordnungsgemäß beendet. Einen dieser Streifen wieder öffnen?
Die nicht geöffneten werden beim nächsten Start wieder angeboten; Nein macht den neuesten zum letzten Streifen.</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The tape was not exported: %1</source>
        <translation>Der Streifen wurde nicht exportiert: %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Note for line %1 (empty removes it):</source>
        <translation>Notiz zu Zeile %1 (leer entfernt sie):</translation>
    </message>
</context>
<context>
    <name>qm::ui::MemoryPad</name>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
</context>
<context>
    <name>qm::ui::ShortcutsWindow</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Taste</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>Wirkung</translation>
    </message>
    <message>
        <source>In a tape line</source>
        <translation>In einer Zeile des Streifens</translation>
    </message>
    <message>
        <source>0 to 9</source>
        <translation>0 bis 9</translation>
    </message>
    <message>
        <source>Type a figure</source>
        <translation>Eine Ziffer eingeben</translation>
    </message>
    <message>
        <source>Decimal separator (a second one in the same line is ignored)</source>
        <translation>Dezimaltrennzeichen (ein zweites in derselben Zeile wird übergangen)</translation>
    </message>
    <message>
        <source>Thousands separator (left out when the line is stored)</source>
        <translation>Tausendertrennzeichen (beim Speichern der Zeile weggelassen)</translation>
    </message>
    <message>
        <source>End the line; the next line takes that operator (* shows as x)</source>
        <translation>Zeile beenden; die nächste Zeile erhält diesen Operator (* erscheint als x)</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Next line; on the last line of the tape a new line with the same operator</source>
        <translation>Nächste Zeile; in der letzten Zeile des Streifens eine neue Zeile mit demselben Operator</translation>
    </message>
    <message>
        <source>Up, Down</source>
        <translation>Auf, Ab</translation>
    </message>
    <message>
        <source>Previous or next line, scrolling the tape at its top and bottom</source>
        <translation>Vorige oder nächste Zeile; am oberen und unteren Rand rollt der Streifen</translation>
    </message>
    <message>
        <source>Page Up, Page Down</source>
        <translation>Bild auf, Bild ab</translation>
    </message>
    <message>
        <source>Left, Right, Home, End</source>
        <translation>Links, Rechts, Pos1, Ende</translation>
    </message>
    <message>
        <source>Move the caret in the line</source>
        <translation>Die Schreibmarke in der Zeile bewegen</translation>
    </message>
    <message>
        <source>Backspace, Delete</source>
        <translation>Rücktaste, Entf</translation>
    </message>
    <message>
        <source>Delete the character before or after the caret</source>
        <translation>Das Zeichen vor oder nach der Schreibmarke löschen</translation>
    </message>
    <message>
        <source>Copy, cut, paste and select all within the line</source>
        <translation>Kopieren, Ausschneiden, Einfügen und Alles markieren innerhalb der Zeile</translation>
    </message>
    <message>
        <source>Mouse wheel</source>
        <translation>Mausrad</translation>
    </message>
    <message>
        <source>Scroll the tape</source>
        <translation>Den Streifen rollen</translation>
    </message>
    <message>
        <source>Window and menus</source>
        <translation>Fenster und Menüs</translation>
    </message>
    <message>
        <source>Alt + underlined letter</source>
        <translation>Alt + unterstrichener Buchstabe</translation>
    </message>
    <message>
        <source>Open a menu; then the underlined letter of an item chooses it</source>
        <translation>Ein Menü öffnen; dann wählt der unterstrichene Buchstabe einen Eintrag</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab, Umschalt+Tab</translation>
    </message>
    <message>
        <source>Move to the buttons and back; Space or Enter presses the button</source>
        <translation>Zu den Tasten und zurück; Leertaste oder Eingabe drückt die Taste</translation>
    </message>
    <message>
        <source>During a game</source>
        <translation>Während eines Spiels</translation>
    </message>
    <message>
        <source>0 to 8</source>
        <translation>0 bis 8</translation>
    </message>
    <message>
        <source>Shoot the leftmost figure when it is the figure pressed (the keypad works too)</source>
        <translation>Die Ziffer ganz links abschießen, wenn sie die gedrückte ist (auch mit dem Tastenfeld)</translation>
    </message>
    <message>
        <source>Move up or down by as many lines as are shown</source>
        <translation>So viele Zeilen nach oben oder unten, wie zu sehen sind</translation>
    </message>
</context>
<context>
    <name>qm::ui::TapeLineBox</name>
    <message>
        <source>Line %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Note...</source>
        <translation>&amp;Notiz...</translation>
    </message>
</context>
<context>
    <name>qm::ui::TapeRecovery</name>
    <message>
        <source>1 line</source>
        <translation>1 Zeile</translation>
    </message>
    <message>
        <source>%L1 lines</source>
        <translation>%L1 Zeilen</translation>
    </message>
</context>
<context>
    <name>qm::ui::TapeView</name>
    <message>
        <source>Tape scroll bar</source>
        <translation>Bildlaufleiste des Streifens</translation>
    </message>
    <message>
        <source>Line %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>Operator of line %1</source>
        <translation>Operator der Zeile %1</translation>
    </message>
    <message>
        <source>Running total: %1</source>
        <translation>Zwischensumme: %1</translation>
    </message>
</context>
<context>
    <name>qm::ui::TotalDisplay</name>
    <message>
        <source>Grand total</source>
        <translation>Gesamtsumme</translation>
    </message>
</context>
</TS>

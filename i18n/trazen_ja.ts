<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>TPlotNotes</name>
    <message>
        <source>raster images skipped</source>
        <translation>ラスター画像は省きました</translation>
    </message>
    <message>
        <source>images skipped</source>
        <translation>画像は省きました</translation>
    </message>
    <message>
        <source>embedded non-SVG content (foreignObject) skipped</source>
        <translation>SVG 以外の埋め込み内容 (foreignObject) は省きました</translation>
    </message>
    <message>
        <source>external style sheets skipped</source>
        <translation>外部のスタイルシートは省きました</translation>
    </message>
    <message>
        <source>external entities skipped</source>
        <translation>外部エンティティは省きました</translation>
    </message>
    <message>
        <source>clip paths not applied: clipped shapes are plotted whole</source>
        <translation>クリップパスは使っていません。クリップされた図形はそのまま全体をプロットします</translation>
    </message>
    <message>
        <source>masks not applied: masked shapes are plotted whole</source>
        <translation>マスクは使っていません。マスクされた図形はそのまま全体をプロットします</translation>
    </message>
    <message>
        <source>filters skipped: filtered shapes are plotted without them</source>
        <translation>フィルタは省きました。フィルタのかかった図形はフィルタなしでプロットします</translation>
    </message>
    <message>
        <source>text on a path (textPath) skipped</source>
        <translation>パスに沿ったテキスト (textPath) は省きました</translation>
    </message>
    <message>
        <source>flowed text (flowRoot, shape-inside) skipped or not wrapped</source>
        <translation>流し込みテキスト (flowRoot、shape-inside) は省いたか、折り返していません</translation>
    </message>
    <message>
        <source>points with invalid (non-finite) coordinates skipped</source>
        <translation>座標が正しくない (有限でない) 点は省きました</translation>
    </message>
    <message>
        <source>parts Qt&apos;s SVG reader does not support were skipped (%1)</source>
        <translation>Qt の SVG リーダーが扱えない部分は省きました (%1)</translation>
    </message>
    <message>
        <source>shadings (colour gradients) skipped</source>
        <translation>シェーディング (グラデーション) は省きました</translation>
    </message>
    <message>
        <source>soft masks (transparency used as a mask) skipped</source>
        <translation>ソフトマスク (マスクとして使う透明度) は省きました</translation>
    </message>
    <message>
        <source>the PDF reader found faults: %1</source>
        <translation>PDF リーダーが誤りを見つけました: %1</translation>
    </message>
    <message>
        <source>the DXF gives no unit ($INSUNITS): read as millimetres</source>
        <translation>DXF に単位 ($INSUNITS) がないため、ミリメートルとして読みました</translation>
    </message>
    <message>
        <source>the DXF&apos;s unit (%1) is not known: read as millimetres</source>
        <translation>DXF の単位 (%1) がわからないため、ミリメートルとして読みました</translation>
    </message>
    <message>
        <source>block &quot;%1&quot; is inserted but not defined: skipped</source>
        <translation>ブロック「%1」は挿入されていますが定義がないため、省きました</translation>
    </message>
    <message>
        <source>coordinates or sizes that are not numbers (nan, inf): their entities skipped</source>
        <translation>数でない座標や大きさ (nan、inf) があるため、その要素は省きました</translation>
    </message>
    <message>
        <source>entities with numbers out of range skipped</source>
        <translation>範囲外の数をもつ要素は省きました</translation>
    </message>
    <message>
        <source>circles, arcs and ellipses of no size (radius, axis or axis ratio 0 or less) skipped</source>
        <translation>大きさのない円、円弧、楕円 (半径、軸、軸の比が 0 以下) は省きました</translation>
    </message>
    <message>
        <source>texts or comments longer than %1 characters cut</source>
        <translation>%1 文字を超えるテキストやコメントは切り詰めました</translation>
    </message>
    <message>
        <source>counts larger than what follows them (vertices, knots, control points) lowered</source>
        <translation>後に続くものより大きい個数 (頂点、ノット、制御点) は小さくしました</translation>
    </message>
    <message>
        <source>splines whose numbers don&apos;t add up skipped</source>
        <translation>数の合わないスプラインは省きました</translation>
    </message>
    <message>
        <source>page %1: %2</source>
        <translation>%1 ページ目: %2</translation>
    </message>
    <message>
        <source>the drawing reaches beyond the printable area by %1; it is clipped there, not scaled</source>
        <translation>図面が印刷可能領域から%1 はみ出しています。はみ出した部分は切り取り、縮小はしません</translation>
    </message>
    <message>
        <source>%1 mm on the left</source>
        <translation>左に %1 mm</translation>
    </message>
    <message>
        <source>%1 mm at the top</source>
        <translation>上に %1 mm</translation>
    </message>
    <message>
        <source>%1 mm on the right</source>
        <translation>右に %1 mm</translation>
    </message>
    <message>
        <source>%1 mm at the bottom</source>
        <translation>下に %1 mm</translation>
    </message>
    <message>
        <source>the drawing reaches %1 mm beyond the roll length (%2 mm); it is clipped there (Auto split plots it in panels)</source>
        <translation>図面がロール長 (%2 mm) を %1 mm 超えています。超えた部分は切り取ります (自動分割にするとパネルに分けてプロットします)</translation>
    </message>
    <message>
        <source>pages %1 of %2 are outside the page range %3 set in Trazen Plotter Settings; not sent</source>
        <translation>%2 ページ中 %1 ページ目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、送りません</translation>
    </message>
    <message>
        <source>page %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; not sent</source>
        <translation>%2 ページ中 %1 ページ目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、送りません</translation>
    </message>
    <message>
        <source>panels %1 of %2 are outside the page range %3 set in Trazen Plotter Settings; not sent</source>
        <translation>%2 パネル中 %1 枚目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、送りません</translation>
    </message>
    <message>
        <source>panel %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; not sent</source>
        <translation>%2 パネル中 %1 枚目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、送りません</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>%2 ページ中 %1 ページ目</translation>
    </message>
    <message>
        <source>panel %1 of %2</source>
        <translation>%2 パネル中 %1 枚目</translation>
    </message>
    <message>
        <source>page %1 of %2 was not sent</source>
        <translation>%2 ページ中 %1 ページ目は送っていません</translation>
    </message>
    <message>
        <source>pages %1 of %2 were not sent</source>
        <translation>%2 ページ中 %1 ページ目は送っていません</translation>
    </message>
    <message>
        <source>panel %1 of %2 was not sent</source>
        <translation>%2 パネル中 %1 枚目は送っていません</translation>
    </message>
    <message>
        <source>panels %1 of %2 were not sent</source>
        <translation>%2 パネル中 %1 枚目は送っていません</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>the drawing has no visible shape to plot</source>
        <translation>図面にはプロットできる見える図形がありません</translation>
    </message>
    <message>
        <source>nothing of the drawing lies on the printable area</source>
        <translation>図面のどこも印刷可能領域に入っていません</translation>
    </message>
    <message>
        <source>the PDF document has no page</source>
        <translation>PDF 文書にページがありません</translation>
    </message>
    <message>
        <source>not a PDF document poppler can read (damaged)</source>
        <translation>poppler で読める PDF 文書ではありません (壊れています)</translation>
    </message>
</context>
<context>
    <name>TPlotWords</name>
    <message>
        <source>%1 (%2 x %3 mm)</source>
        <translation>%1 (%2 x %3 mm)</translation>
    </message>
    <message>
        <source>the plotter is not set up yet (%1): choose where plots go in Trazen Plotter Settings (TRZNSerConfig), then plot again</source>
        <translation>プロッタはまだ設定されていません (%1)。Trazen プロッタ設定 (TRZNSerConfig) で送信先を選んでから、もう一度プロットしてください</translation>
    </message>
    <message>
        <source>; TRZNSerConfig could not be started</source>
        <translation>。TRZNSerConfig を起動できませんでした</translation>
    </message>
    <message>
        <source>%1; opening it now</source>
        <translation>%1。設定を開きます</translation>
    </message>
    <message>
        <source>Plots an HP-GL file or a drawing (SVG or SVGZ, PDF, Illustrator, EPS or PostScript, DXF as text) with the destination set in TRZNSerConfig, through TRZNSerSend. A drawing is laid on the printable area of the configured page with the configured pens.
A drawing is read by a process of its own, stopped beyond 2 GB of memory or 300 s (TRZN_READ_MEMORY_MB and TRZN_READ_SECONDS set other limits).
Exit status: 0 delivered (or written with --output), 1 stopped or failed in the sender, 2 a file that can&apos;t be plotted or a bad command line, 3 another plot is being sent (--no-wait), 4 the product folder (or the --output file) can&apos;t be written, 5 TRZNSerSend can&apos;t be found or started, 6 the destination was never set up.</source>
        <translation>HP-GL ファイルまたは図面 (SVG、SVGZ、PDF、Illustrator、EPS、PostScript、テキストの DXF) を、TRZNSerConfig で設定した送信先に TRZNSerSend で送ります。図面は設定したページの印刷可能領域に、設定したペンで配置します。
図面は専用のプロセスで読み込み、メモリが 2 GB または時間が 300 秒を超えると止めます (TRZN_READ_MEMORY_MB と TRZN_READ_SECONDS で別の上限を設定できます)。
終了ステータス: 0 送信した (--output では書き出した)、1 送信ソフトで中止または失敗、2 プロットできないファイルまたは誤ったコマンドライン、3 別のプロットを送信中 (--no-wait)、4 製品フォルダ (または --output のファイル) に書き込めない、5 TRZNSerSend が見つからないか起動できない、6 送信先がまだ設定されていない。</translation>
    </message>
    <message>
        <source>The HP-GL plot or drawing (SVG, SVGZ, PDF, Illustrator, EPS, PostScript, DXF) to plot; told by its content.</source>
        <translation>プロットする HP-GL ファイルまたは図面 (SVG、SVGZ、PDF、Illustrator、EPS、PostScript、DXF)。種類は中身で判断します。</translation>
    </message>
    <message>
        <source>Input window x1,y1,x2,y2 for an HP-GL plot (a drawing&apos;s comes from the page).</source>
        <translation>HP-GL プロットの入力ウィンドウ x1,y1,x2,y2 (図面の入力ウィンドウはページから決まります)。</translation>
    </message>
    <message>
        <source>Refuse instead of waiting when a plot is being sent.</source>
        <translation>プロットを送信中のときは、待たずに断ります。</translation>
    </message>
    <message>
        <source>Show problems in a window (file managers).</source>
        <translation>問題をウィンドウで知らせます (ファイルマネージャ用)。</translation>
    </message>
    <message>
        <source>Send this plot to the CUPS printer queue NAME; the settings stay.</source>
        <translation>このプロットを CUPS のプリンタキュー NAME に送ります。設定は変えません。</translation>
    </message>
    <message>
        <source>Convert the drawing into an HP-GL plot in FILE (- for the standard output) instead of plotting it; plot that file later with trzn-plot.</source>
        <translation>図面をプロットせずに、HP-GL プロットに変換して FILE に書き出します (- は標準出力)。そのファイルは後で trzn-plot でプロットできます。</translation>
    </message>
    <message>
        <source>give exactly one file to plot</source>
        <translation>プロットするファイルを 1 つだけ指定してください</translation>
    </message>
    <message>
        <source>give the name of a printer queue</source>
        <translation>プリンタキューの名前を指定してください</translation>
    </message>
    <message>
        <source>--output needs a file name (or -) and sends nothing, so it takes no --queue</source>
        <translation>--output にはファイル名 (または -) が必要です。何も送らないため、--queue とは一緒に使えません</translation>
    </message>
    <message>
        <source>no destination is chosen in %1</source>
        <translation>%1 で送信先が選ばれていません</translation>
    </message>
    <message>
        <source>there is no %1</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>note: nothing is set up in TRZNSerConfig yet: converted for the default setup&apos;s paper, %1</source>
        <translation>注意: TRZNSerConfig はまだ何も設定されていません。既定の設定の用紙 %1 で変換しました</translation>
    </message>
    <message>
        <source>the settings file %1 can&apos;t be read (%2): the destination is not known</source>
        <translation>設定ファイル %1 を読めません (%2)。送信先がわかりません</translation>
    </message>
    <message>
        <source>the page range selects %1 pages of the document, and the standard output takes one plot: give a file name (each page goes to NAME-1.plt, NAME-2.plt, ...), or choose one page with First page and Last page in TRZNSerConfig</source>
        <translation>ページ範囲で文書の %1 ページを選んでいますが、標準出力には 1 つのプロットしか書けません。ファイル名を指定する (各ページは NAME-1.plt、NAME-2.plt、... になります) か、TRZNSerConfig の最初のページと最後のページで 1 ページを選んでください</translation>
    </message>
    <message>
        <source>the drawing is cut into %1 panels along the roll, and the standard output takes one plot: give a file name (each panel goes to NAME-1.plt, NAME-2.plt, ...), or choose one panel with First page and Last page in TRZNSerConfig</source>
        <translation>図面はロールに沿って %1 枚のパネルに分かれますが、標準出力には 1 つのプロットしか書けません。ファイル名を指定する (各パネルは NAME-1.plt、NAME-2.plt、... になります) か、TRZNSerConfig の最初のページと最後のページで 1 枚を選んでください</translation>
    </message>
    <message>
        <source>%1 written to %2</source>
        <translation>%1 を %2 に書き出しました</translation>
    </message>
    <message>
        <source>%1 is neither a drawing (SVG, PDF, Illustrator, EPS, DXF) nor an HP-GL plot</source>
        <translation>%1 は図面 (SVG、PDF、Illustrator、EPS、DXF) でも HP-GL プロットでもありません</translation>
    </message>
    <message>
        <source>%1 is %2, neither a drawing (SVG, PDF, Illustrator, EPS, DXF) nor an HP-GL plot</source>
        <translation>%1 は %2 で、図面 (SVG、PDF、Illustrator、EPS、DXF) でも HP-GL プロットでもありません</translation>
    </message>
    <message>
        <source>--brc is for HP-GL plots: a drawing&apos;s input window is the printable area of the configured page</source>
        <translation>--brc は HP-GL プロット用です。図面の入力ウィンドウは設定したページの印刷可能領域です</translation>
    </message>
    <message>
        <source>%1 is an HP-GL plot already: --output converts drawings</source>
        <translation>%1 はすでに HP-GL プロットです。--output は図面を変換します</translation>
    </message>
    <message>
        <source>the Documents folder can&apos;t be found</source>
        <translation>書類フォルダが見つかりません</translation>
    </message>
    <message>
        <source>no paper is chosen in %1: choose a paper in Trazen Plotter Settings (TRZNSerConfig), then plot again</source>
        <translation>%1 で用紙が選ばれていません。Trazen プロッタ設定 (TRZNSerConfig) で用紙を選んでから、もう一度プロットしてください</translation>
    </message>
    <message>
        <source>Plot</source>
        <translation>プロット</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>注意: %1</translation>
    </message>
    <message>
        <source>another plot is being sent; waiting for it to finish</source>
        <translation>別のプロットを送信しています。それが終わるまで待ちます</translation>
    </message>
    <message>
        <source>another plot is being sent; try again when it has finished</source>
        <translation>別のプロットを送信しています。それが終わってから、もう一度プロットしてください</translation>
    </message>
    <message>
        <source>the product folder %1 can&apos;t be written</source>
        <translation>製品フォルダ %1 に書き込めません</translation>
    </message>
    <message>
        <source>TRZNSerSend status %1</source>
        <translation>TRZNSerSend の終了ステータス %1</translation>
    </message>
    <message>
        <source>TRZNSerSend could not be started</source>
        <translation>TRZNSerSend を起動できませんでした</translation>
    </message>
    <message>
        <source>the plot was not delivered: TRZNSerSend was killed (%1)</source>
        <translation>プロットは送信されませんでした: TRZNSerSend が強制終了されました (%1)</translation>
    </message>
    <message>
        <source>; the completion status could not be written to %1</source>
        <translation>。完了ステータスを %1 に書き込めませんでした</translation>
    </message>
    <message>
        <source>the plot was stopped: %1</source>
        <translation>プロットを中止しました: %1</translation>
    </message>
    <message>
        <source>the plot was not delivered: %1</source>
        <translation>プロットは送信されませんでした: %1</translation>
    </message>
    <message>
        <source>%1: delivered</source>
        <translation>%1: 送信しました</translation>
    </message>
    <message>
        <source>%1: delivered to %2</source>
        <translation>%1: %2 に送信しました</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n plots</source>
        <translation>
            <numerusform>%1 (%n 個のプロット)</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 を %2 へ</translation>
    </message>
    <message>
        <source>Plot delivered</source>
        <translation>プロットを送信しました</translation>
    </message>
    <message>
        <source>TRZNSerSend is not installed</source>
        <translation>TRZNSerSend がインストールされていません</translation>
    </message>
    <message>
        <source>no display: TRZNSerSend shows a window and needs a desktop session (DISPLAY or WAYLAND_DISPLAY)</source>
        <translation>ディスプレイがありません。TRZNSerSend はウィンドウを表示するため、デスクトップのセッション (DISPLAY または WAYLAND_DISPLAY) が必要です</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file to plot</source>
        <translation>%1 はフォルダです。プロットするファイルではありません</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 は通常のファイルではありません</translation>
    </message>
    <message>
        <source>%1 is empty: there is nothing to plot</source>
        <translation>%1 は空です。プロットするものがありません</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 を読めません: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>the input window &quot;%1&quot; is not four whole numbers x1,y1,x2,y2 (for example 0,0,16000,11000)</source>
        <translation>入力ウィンドウ「%1」は x1,y1,x2,y2 の 4 つの整数ではありません (例: 0,0,16000,11000)</translation>
    </message>
    <message>
        <source>the input window &quot;%1&quot; has a number outside %2 to %3</source>
        <translation>入力ウィンドウ「%1」に %2 から %3 の範囲外の数があります</translation>
    </message>
    <message>
        <source>the standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <source>reading the drawing took more than %1 s and was stopped (TRZN_READ_SECONDS sets the limit)</source>
        <translation>図面の読み込みに %1 秒以上かかったため、止めました (上限は TRZN_READ_SECONDS で設定できます)</translation>
    </message>
    <message>
        <source>reading the drawing crashed (%1): the file may be damaged</source>
        <translation>図面の読み込みが異常終了しました (%1)。ファイルが壊れているかもしれません</translation>
    </message>
    <message>
        <source>reading the drawing needed more than %1 of memory and was stopped (TRZN_READ_MEMORY_MB sets the limit)</source>
        <translation>図面の読み込みに %1 を超えるメモリが必要になったため、止めました (上限は TRZN_READ_MEMORY_MB で設定できます)</translation>
    </message>
    <message>
        <source>an XML document whose root element is %1</source>
        <translation>ルート要素が %1 の XML 文書</translation>
    </message>
    <message>
        <source>a PNG picture</source>
        <translation>PNG 画像</translation>
    </message>
    <message>
        <source>a JPEG picture</source>
        <translation>JPEG 画像</translation>
    </message>
    <message>
        <source>a ZIP archive</source>
        <translation>ZIP アーカイブ</translation>
    </message>
</context>
</TS>

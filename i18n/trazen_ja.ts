<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>TFolderDelivery</name>
    <message>
        <source>Shared folder %1</source>
        <translation>共有フォルダ %1</translation>
    </message>
    <message>
        <source>(not set)</source>
        <translation>(未設定)</translation>
    </message>
    <message>
        <source>Preparing to send…</source>
        <translation>送信の準備をしています…</translation>
    </message>
    <message>
        <source>No shared folder is set. Choose the shared folder to send to in the configuration window.</source>
        <translation>共有フォルダが設定されていません。設定アプリケーションで送信先の共有フォルダを選んでください。</translation>
    </message>
    <message>
        <source>Copying to the shared folder…</source>
        <translation>共有フォルダにコピーしています…</translation>
    </message>
    <message>
        <source>Copied to the shared folder: %1</source>
        <translation>共有フォルダにコピーしました: %1</translation>
    </message>
    <message>
        <source>Sent.</source>
        <translation>送信しました。</translation>
    </message>
    <message>
        <source>Stopped. Nothing of the plot is left in the shared folder.</source>
        <translation>中止しました。共有フォルダにはプロットを残していません。</translation>
    </message>
</context>
<context>
    <name>TFtpDelivery</name>
    <message>
        <source>FTP server %1  %2</source>
        <translation>FTP サーバ %1  %2</translation>
    </message>
    <message>
        <source>(not set)</source>
        <translation>(未設定)</translation>
    </message>
    <message>
        <source>Preparing to send…</source>
        <translation>送信の準備をしています…</translation>
    </message>
    <message>
        <source>The network address is too long (%1 bytes, at most 79). Shorten it in the configuration window.</source>
        <translation>ネットワークアドレスの設定が長すぎます (%1 バイト、79 バイトまで)。設定を短くしてください。</translation>
    </message>
    <message>
        <source>No FTP server address is set. Enter the address in the configuration window.</source>
        <translation>FTP サーバのアドレスが設定されていません。設定アプリケーションでアドレスを入力してください。</translation>
    </message>
    <message>
        <source>Sending to FTP server %1…</source>
        <translation>FTP サーバ %1 に送信しています…</translation>
    </message>
    <message>
        <source>Sent to FTP server %1.</source>
        <translation>FTP サーバ %1 に送信しました。</translation>
    </message>
    <message>
        <source>Sent.</source>
        <translation>送信しました。</translation>
    </message>
    <message>
        <source>The FTP port number %1 can&apos;t be used. Enter a number from 1 to 65535, or 0 for the server&apos;s usual port.</source>
        <translation>FTP のポート番号 %1 は使えません。1 から 65535 までの番号を入力するか、サーバの標準のポートなら 0 にしてください。</translation>
    </message>
    <message>
        <source>Stopping. Deleting the part of the plot that reached the FTP server %1…</source>
        <translation>中止しています。FTP サーバ %1 から途中までのプロットを消しています…</translation>
    </message>
    <message>
        <source>Stopped. The part of the plot that reached the server, %1, was deleted.</source>
        <translation>中止しました。サーバに届いた途中までのプロット %1 は消しました。</translation>
    </message>
    <message>
        <source>Stopped. The part of the plot that reached the server, %1, is still there: the server would not let it be deleted. Delete it on the print server.
The server said: %2</source>
        <translation>中止しました。サーバに届いた途中までのプロット %1 は、サーバが消させないため残っています。プリントサーバの側で消してください。
サーバの説明: %2</translation>
    </message>
    <message>
        <source>Stopped. Nothing reached the server.</source>
        <translation>中止しました。サーバには何も届いていません。</translation>
    </message>
</context>
<context>
    <name>TMissingDevice</name>
    <message>
        <source>serial port %1 (not connected)</source>
        <translation>シリアルポート %1 (未接続)</translation>
    </message>
    <message>
        <source>%1 is not connected: plug in the adapter, or choose another port in Trazen Plotter Settings.</source>
        <translation>%1 はつながっていません。アダプタを差し込むか、Trazen プロッタ設定で別のポートを選んでください。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>中止しました。</translation>
    </message>
</context>
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
    <message>
        <source>the drawing has more than %1 points to plot</source>
        <translation>図面の点が %1 個を超えるため、プロットできません</translation>
    </message>
    <message>
        <source>the roll length (%1 mm) cuts the drawing into %2 panels, more than %3</source>
        <translation>ロール長 (%1 mm) で図面が %2 枚のパネルに分かれます。上限の %3 枚を超えています</translation>
    </message>
    <message>
        <source>the roll length (%1 mm) cuts the pages into more than %2 panels</source>
        <translation>ロール長 (%1 mm) でページが %2 枚を超えるパネルに分かれます</translation>
    </message>
    <message>
        <source>the plot body can&apos;t be written</source>
        <translation>プロットの本体を書き込めません</translation>
    </message>
    <message>
        <source>the page range selects %1 pages of the document, more than the %2 plotted at once: set First page and Last page in TRZNSerConfig</source>
        <translation>ページ範囲で文書の %1 ページが選ばれていますが、一度にプロットできるのは %2 ページまでです。TRZNSerConfig で開始ページと終了ページを設定してください</translation>
    </message>
    <message>
        <source>nothing of the pages of the page range lies within the roll length (%1 mm)</source>
        <translation>ページ範囲のどのページも、ロール長 (%1 mm) の内側に何もありません</translation>
    </message>
    <message>
        <source>no page of the page range has a visible shape to plot</source>
        <translation>ページ範囲のどのページにも、プロットできる見える図形がありません</translation>
    </message>
    <message>
        <source>nothing of the drawing lies within the roll length (%1 mm)</source>
        <translation>図面のどの部分もロール長 (%1 mm) の内側にありません</translation>
    </message>
    <message>
        <source>the drawing is cut into %1 panels along the roll, and there is one body to write</source>
        <translation>図面がロールに沿って %1 枚のパネルに分かれますが、書き込み先は 1 つしかありません</translation>
    </message>
    <message>
        <source>the page settings leave no printable area (margins cover the paper)</source>
        <translation>ページ設定では印刷可能領域が残りません (余白が用紙全体を覆っています)</translation>
    </message>
    <message>
        <source>the drawing reaches beyond the printable area (left %1 mm, top %2 mm, right %3 mm, bottom %4 mm); that part is not plotted</source>
        <translation>図面が印刷可能領域からはみ出しています (左 %1 mm、上 %2 mm、右 %3 mm、下 %4 mm)。はみ出した部分はプロットしません</translation>
    </message>
    <message>
        <source>the drawing reaches %1 mm beyond the roll length (%2 mm); that part is not plotted</source>
        <translation>図面がロール長 (%2 mm) を %1 mm 超えています。超えた部分はプロットしません</translation>
    </message>
    <message>
        <source>page %1 is beyond the %2 pages plotted from one document</source>
        <translation>%1 ページ目は、1 つの文書からプロットできる %2 ページを超えています</translation>
    </message>
    <message>
        <source>not an SVG drawing Qt can read: %1</source>
        <translation>Qt が読める SVG 図面ではありません: %1</translation>
    </message>
    <message>
        <source>Qt&apos;s SVG reader refused it</source>
        <translation>Qt の SVG 読み込みが受け付けませんでした</translation>
    </message>
    <message>
        <source>ghostscript made nothing readable of the PostScript: %1</source>
        <translation>ghostscript は PostScript から読める物を作れませんでした: %1</translation>
    </message>
    <message>
        <source>the compressed drawing can&apos;t be unpacked (zlib)</source>
        <translation>圧縮された図面を展開できません (zlib)</translation>
    </message>
    <message>
        <source>the compressed drawing unpacks to more than %1 MB</source>
        <translation>圧縮された図面は展開すると %1 MB を超えます</translation>
    </message>
    <message>
        <source>the compressed drawing is damaged (SVGZ data cut short or corrupt)</source>
        <translation>圧縮された図面が壊れています (SVGZ データが途中で切れているか破損しています)</translation>
    </message>
    <message>
        <source>can&apos;t open the drawing: %1</source>
        <translation>図面を開けません: %1</translation>
    </message>
    <message>
        <source>the drawing is not a plain file</source>
        <translation>図面が通常のファイルではありません</translation>
    </message>
    <message>
        <source>the drawing is larger than %1 MB</source>
        <translation>図面が %1 MB を超えています</translation>
    </message>
    <message>
        <source>can&apos;t read the drawing: %1</source>
        <translation>図面を読めません: %1</translation>
    </message>
    <message>
        <source>not an SVG drawing (no element in it)</source>
        <translation>SVG 図面ではありません (要素がありません)</translation>
    </message>
    <message>
        <source>not an SVG drawing (not XML)</source>
        <translation>SVG 図面ではありません (XML ではありません)</translation>
    </message>
    <message>
        <source>not an SVG drawing (its first element is &lt;%1&gt;)</source>
        <translation>SVG 図面ではありません (最初の要素が &lt;%1&gt; です)</translation>
    </message>
    <message>
        <source>not well-formed XML at line %1, column %2: %3</source>
        <translation>%1 行 %2 桁目で XML の形式が正しくありません: %3</translation>
    </message>
    <message>
        <source>the drawing&apos;s entities expand beyond what is read safely (line %1, column %2)</source>
        <translation>図面のエンティティが安全に読める大きさを超えて展開されます (%1 行 %2 桁目)</translation>
    </message>
    <message>
        <source>the drawing&apos;s &lt;use&gt; elements refer to themselves</source>
        <translation>図面の &lt;use&gt; 要素が自分自身を参照しています</translation>
    </message>
    <message>
        <source>text on a path (textPath) skipped: Inkscape, which sets it along its path, is not installed</source>
        <translation>パス上のテキスト (textPath) は省きました: パスに沿って配置する Inkscape がインストールされていません</translation>
    </message>
    <message>
        <source>text on a path (textPath) skipped: Inkscape could not set it along its path</source>
        <translation>パス上のテキスト (textPath) は省きました: Inkscape がパスに沿って配置できませんでした</translation>
    </message>
    <message>
        <source>references to other files or addresses removed: only what is in the drawing itself is plotted</source>
        <translation>他のファイルやアドレスへの参照は取り除きました: 図面そのものにあるものだけをプロットします</translation>
    </message>
    <message>
        <source>dash patterns finer than the plotter draws drawn as solid lines</source>
        <translation>プロッタが描けるより細かい破線は実線で描きました</translation>
    </message>
    <message>
        <source>dash patterns shorter than 1/256 of the drawing&apos;s unit drawn as solid lines (librsvg draws no shorter ones)</source>
        <translation>図面の単位の 1/256 より短い破線は実線で描きました (librsvg はそれより短い破線を描きません)</translation>
    </message>
    <message>
        <source>the drawing&apos;s markers multiply into more than %1 elements (markers drawn on the shapes of markers)</source>
        <translation>図面のマーカーが増えて %1 個を超える要素になります (マーカーの図形にマーカーが描かれています)</translation>
    </message>
    <message>
        <source>the drawing sets text on a path (textPath) %1 times, more than the %2 set within the reading&apos;s limits</source>
        <translation>図面はパス上のテキスト (textPath) を %1 個使っており、読み込みの制限内で配置できる %2 個を超えています</translation>
    </message>
    <message>
        <source>the drawing has no visible shape to plot: %1</source>
        <translation>図面にはプロットできる見える図形がありません: %1</translation>
    </message>
    <message>
        <source>text on a path (textPath) skipped: Inkscape could not set it along its path (%1)</source>
        <translation>パス上のテキスト (textPath) は省きました: Inkscape がパスに沿って配置できませんでした (%1)</translation>
    </message>
    <message>
        <source>it took more than %1 s and was stopped</source>
        <translation>%1 秒を超えたため止めました</translation>
    </message>
    <message>
        <source>it crashed (it may have needed more than 2 GB of memory)</source>
        <translation>異常終了しました (2 GB を超えるメモリが必要だったのかもしれません)</translation>
    </message>
    <message>
        <source>it ended with status %1: %2</source>
        <translation>状態 %1 で終了しました: %2</translation>
    </message>
    <message>
        <source>it ended with status %1</source>
        <translation>状態 %1 で終了しました</translation>
    </message>
    <message>
        <source>it can&apos;t be started</source>
        <translation>起動できません</translation>
    </message>
    <message>
        <source>it wrote no drawing</source>
        <translation>図面を書き出しませんでした</translation>
    </message>
    <message>
        <source>its copy of the drawing can&apos;t be written</source>
        <translation>図面のコピーを書き込めません</translation>
    </message>
    <message>
        <source>no temporary folder for it</source>
        <translation>一時フォルダを作れません</translation>
    </message>
    <message>
        <source>it made a drawing larger than %1 MB</source>
        <translation>%1 MB を超える図面を書き出しました</translation>
    </message>
    <message>
        <source>pattern fills&apos; tiles left out: the filled shapes are plotted as their outlines</source>
        <translation>パターン塗りのタイルは省きました: 塗られた図形は輪郭を描きます</translation>
    </message>
    <message>
        <source>masks that hold no shape (a picture, a gradient) not applied: masked shapes are plotted whole</source>
        <translation>図形を含まないマスク (画像、グラデーション) は適用していません: マスクされた図形は全体を描きます</translation>
    </message>
    <message>
        <source>the clip path #%1 refers to itself (directly or round a cycle): what it clips may be drawn unclipped or left out</source>
        <translation>クリップパス #%1 が自分自身を参照しています (直接または循環して): クリップされる図形はクリップなしで描かれるか、省かれることがあります</translation>
    </message>
    <message>
        <source>the mask #%1 refers to itself (directly or round a cycle): what it masks may be drawn unmasked or left out</source>
        <translation>マスク #%1 が自分自身を参照しています (直接または循環して): マスクされる図形はマスクなしで描かれるか、省かれることがあります</translation>
    </message>
    <message>
        <source>the marker #%1 refers to itself (directly or round a cycle): it may be drawn without the markers it holds or left out</source>
        <translation>マーカー #%1 が自分自身を参照しています (直接または循環して): 中のマーカーなしで描かれるか、省かれることがあります</translation>
    </message>
    <message>
        <source>the pattern #%1 refers to itself (directly or round a cycle): what it fills may be drawn without it or left out</source>
        <translation>パターン #%1 が自分自身を参照しています (直接または循環して): 塗られる図形はパターンなしで描かれるか、省かれることがあります</translation>
    </message>
    <message>
        <source>the drawing&apos;s &lt;use&gt; elements multiply into more than %1 elements</source>
        <translation>図面の &lt;use&gt; 要素が増えて %1 個を超える要素になります</translation>
    </message>
    <message>
        <source>the drawing has more than %1 elements</source>
        <translation>図面の要素が %1 個を超えています</translation>
    </message>
    <message>
        <source>the drawing nests more than %1 levels deep</source>
        <translation>図面の入れ子が %1 段を超えています</translation>
    </message>
    <message>
        <source>pen %1 has a negative thickness (%2 mm): set it to 0 for outlines only, or to the pen&apos;s line width</source>
        <translation>ペン %1 の太さが負の値 (%2 mm) です。輪郭だけなら 0 に、そうでなければペンの線幅に設定してください</translation>
    </message>
    <message>
        <source>hatching the fills with these pen widths needs more points than a plot holds; give the pens their real widths, or 0 for outlines only</source>
        <translation>このペンの太さで塗りをハッチングすると、1 つのプロットに入る点の数を超えます。ペンに実際の線幅を設定するか、輪郭だけなら 0 にしてください</translation>
    </message>
    <message>
        <source>hatching the fills with these pen widths needs more than %1 lines; give the pens their real widths, or 0 for outlines only</source>
        <translation>このペンの太さで塗りをハッチングすると、線が %1 本を超えます。ペンに実際の線幅を設定するか、輪郭だけなら 0 にしてください</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>理由は示されませんでした</translation>
    </message>
    <message>
        <source>can&apos;t make a temporary folder for ghostscript</source>
        <translation>ghostscript 用の一時フォルダを作れません</translation>
    </message>
    <message>
        <source>can&apos;t copy the PostScript for ghostscript: %1</source>
        <translation>ghostscript 用に PostScript をコピーできません: %1</translation>
    </message>
    <message>
        <source>ghostscript (gs) can&apos;t be started to read the PostScript: %1</source>
        <translation>PostScript を読むための ghostscript (gs) を起動できません: %1</translation>
    </message>
    <message>
        <source>the PostScript still ran after %1 s and was stopped (a program that never ends?)</source>
        <translation>PostScript が %1 秒たっても終わらないため止めました (終わらないプログラムかもしれません)</translation>
    </message>
    <message>
        <source>the PostScript makes more than %1 MB of drawing and was stopped</source>
        <translation>PostScript が %1 MB を超える図面を作るため止めました</translation>
    </message>
    <message>
        <source>the PostScript makes more than %1 MB of drawing</source>
        <translation>PostScript が %1 MB を超える図面を作ります</translation>
    </message>
    <message>
        <source>ghostscript can&apos;t read the PostScript: %1</source>
        <translation>ghostscript が PostScript を読めません: %1</translation>
    </message>
    <message>
        <source>ghostscript made no PDF of the PostScript (%1)</source>
        <translation>ghostscript は PostScript から PDF を作れませんでした (%1)</translation>
    </message>
    <message>
        <source>the PDF page makes more than %1 drawing operations (its forms, drawn within each other, multiply them)</source>
        <translation>PDF のページの描画操作が %1 個を超えます (入れ子に描かれたフォームが操作を増やしています)</translation>
    </message>
    <message>
        <source>a form (XObject) of the PDF draws itself</source>
        <translation>PDF のフォーム (XObject) が自分自身を描いています</translation>
    </message>
    <message>
        <source>the PDF&apos;s forms (XObjects) are drawn within each other more than %1 deep</source>
        <translation>PDF のフォーム (XObject) の入れ子が %1 段を超えています</translation>
    </message>
    <message>
        <source>a content stream of the PDF unpacks to more than %1 MB</source>
        <translation>PDF のコンテンツストリームは展開すると %1 MB を超えます</translation>
    </message>
    <message>
        <source>the PDF document&apos;s pages can&apos;t be told apart safely</source>
        <translation>PDF 文書のページを安全に区別できません</translation>
    </message>
    <message>
        <source>the PDF document can&apos;t be read safely: %1</source>
        <translation>PDF 文書を安全に読めません: %1</translation>
    </message>
    <message>
        <source>the PDF document can&apos;t be read safely</source>
        <translation>PDF 文書を安全に読めません</translation>
    </message>
    <message>
        <source>the PDF document is cut off (it has no end); save or send it again</source>
        <translation>PDF 文書が途中で切れています (終わりがありません)。保存し直すか、送り直してください</translation>
    </message>
    <message>
        <source>the PDF document is protected by a password: open it in a PDF reader and save a copy without a password</source>
        <translation>PDF 文書はパスワードで保護されています。PDF ビューアで開き、パスワードなしのコピーを保存してください</translation>
    </message>
    <message>
        <source>the PDF document has %1 pages, no page %2</source>
        <translation>PDF 文書は %1 ページしかなく、%2 ページ目はありません</translation>
    </message>
    <message>
        <source>the PDF document has %1 page, no page %2</source>
        <translation>PDF 文書は %1 ページしかなく、%2 ページ目はありません</translation>
    </message>
    <message>
        <source>page %1 of the PDF document can&apos;t be read</source>
        <translation>PDF 文書の %1 ページ目を読めません</translation>
    </message>
    <message>
        <source>page %1 of the PDF document can&apos;t be painted</source>
        <translation>PDF 文書の %1 ページ目を描けません</translation>
    </message>
    <message>
        <source>the page holds only pictures (images), no lines to plot</source>
        <translation>ページには画像しかなく、プロットできる線がありません</translation>
    </message>
    <message>
        <source>linetypes not in the drawing&apos;s table drawn solid: %1</source>
        <translation>図面の線種表にない線種は実線で描きました: %1</translation>
    </message>
    <message>
        <source>the texts and shapes of linetypes left out, their dashes drawn: %1</source>
        <translation>線種の文字と図形は省き、破線だけを描きました: %1</translation>
    </message>
    <message>
        <source>linetypes of no length drawn solid: %1</source>
        <translation>長さのない線種は実線で描きました: %1</translation>
    </message>
    <message>
        <source>linetypes whose dashes are finer than the plotter draws drawn solid: %1</source>
        <translation>プロッタが描けるより細かい破線の線種は実線で描きました: %1</translation>
    </message>
    <message>
        <source>lines that linetypes would cut into more than %1 dashes drawn solid: %2</source>
        <translation>線種で %1 本を超える破線に分かれる線は実線で描きました: %2</translation>
    </message>
    <message>
        <source>the picture of a dimension, block &quot;%1&quot;, is not defined: the dimension is skipped</source>
        <translation>寸法の図 (ブロック &quot;%1&quot;) が定義されていないため、その寸法は省きました</translation>
    </message>
    <message>
        <source>radial, angular and ordinate dimensions without a picture (block) skipped</source>
        <translation>図 (ブロック) のない半径・角度・座標寸法は省きました</translation>
    </message>
    <message>
        <source>paper space (layouts) left out: the model space is plotted</source>
        <translation>ペーパー空間 (レイアウト) は省き、モデル空間をプロットしました</translation>
    </message>
    <message>
        <source>circles, arcs, ellipses and solids of no size (radius, axis, axis ratio or area 0 or less) skipped</source>
        <translation>大きさのない円・円弧・楕円・ソリッド (半径、軸、軸比または面積が 0 以下) は省きました</translation>
    </message>
    <message>
        <source>a binary DXF is not read: save the drawing as a text (ASCII) DXF</source>
        <translation>バイナリ DXF は読めません。図面をテキスト (ASCII) DXF として保存してください</translation>
    </message>
    <message>
        <source>not a DXF drawing dxflib can read</source>
        <translation>dxflib が読める DXF 図面ではありません</translation>
    </message>
    <message>
        <source>not a DXF drawing dxflib can read (%1)</source>
        <translation>dxflib が読める DXF 図面ではありません (%1)</translation>
    </message>
    <message>
        <source>line %1 of the DXF is longer than %2 characters and is not a text</source>
        <translation>DXF の %1 行目は %2 文字を超えていて、テキストでもありません</translation>
    </message>
    <message>
        <source>the weeding frame&apos;s tool %1 is not one of the pens 1 to %2</source>
        <translation>カス取り枠の工具番号 %1 は、ペン 1 から %2 のどれでもありません</translation>
    </message>
    <message>
        <source>the weeding frame&apos;s margins (K margin) must not be negative</source>
        <translation>カス取り枠の余白 (K マージン) を負の値にはできません</translation>
    </message>
    <message>
        <source>the perforation&apos;s tool %1 is not one of the pens 1 to %2</source>
        <translation>ミシン目の工具番号 %1 は、ペン 1 から %2 のどれでもありません</translation>
    </message>
    <message>
        <source>the perforation&apos;s pressures must not be negative</source>
        <translation>ミシン目の圧力を負の値にはできません</translation>
    </message>
    <message>
        <source>the perforation&apos;s cut and skip lengths must both be above 0: the lines of pen %1 are cut whole</source>
        <translation>ミシン目のカット長とスキップ長はどちらも 0 より大きくしてください。ペン %1 の線は全部カットしました</translation>
    </message>
    <message>
        <source>the plotter unit %1 steps per inch is not one a plotter moves in (%2 to %3, or 0 for 1016)</source>
        <translation>プロッタ単位 %1 ステップ/インチでは、プロッタが動けません (%2 から %3、または 1016 の意味で 0)</translation>
    </message>
    <message>
        <source>the knife settings are out of range</source>
        <translation>ナイフ補正の設定が範囲外です</translation>
    </message>
    <message>
        <source>the weeding frame reaches beyond the printable area; it is cut along its edge</source>
        <translation>カス取り枠が印刷可能領域からはみ出すため、領域の端に沿ってカットしました</translation>
    </message>
    <message>
        <source>the roll length is negative (%1 points); set it in TRZNSerConfig (0 for no limit)</source>
        <translation>ロール長が負の値 (%1 ポイント) です。TRZNSerConfig で設定してください (制限なしは 0)</translation>
    </message>
    <message>
        <source>the page range (first page %1, last page %2) is upside down; set it in TRZNSerConfig</source>
        <translation>ページ範囲 (開始ページ %1、終了ページ %2) が逆になっています。TRZNSerConfig で設定してください</translation>
    </message>
    <message>
        <source>the page range (first page %1, last page %2) selects none of the drawing&apos;s one page; set it in TRZNSerConfig</source>
        <translation>ページ範囲 (開始ページ %1、終了ページ %2) は図面の 1 ページを含みません。TRZNSerConfig で設定してください</translation>
    </message>
    <message>
        <source>the page range (first page %1, last page %2) selects none of the drawing&apos;s %3 panels along the roll; set it in TRZNSerConfig</source>
        <translation>ページ範囲 (開始ページ %1、終了ページ %2) は、ロールに沿った図面の %3 枚のパネルのどれも含みません。TRZNSerConfig で設定してください</translation>
    </message>
    <message>
        <source>the knife settings %1 can&apos;t be read: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 を読めません。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the knife settings %1 are too long to be knife settings: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 はナイフ補正の設定としては長すぎます。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the knife settings %1 can&apos;t be read at line %2: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 の %2 行目を読めません。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the knife settings %1 have no %2: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 に %2 がありません。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the knife settings %1 hold a key that is not a knife setting: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 にナイフ補正の設定ではないキーがあります。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the knife settings %1 say knife.use %2: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 の knife.use が %2 です。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the knife settings %1 give %2 %3, outside %4 to %5: press OK in TRZNSerConfig to write them again</source>
        <translation>ナイフ補正の設定 %1 の %2 が %3 で、%4 から %5 の範囲外です。TRZNSerConfig で OK を押して書き直してください</translation>
    </message>
    <message>
        <source>the header can&apos;t be sent: %1</source>
        <translation>ヘッダを送れません: %1</translation>
    </message>
    <message>
        <source>the footer can&apos;t be sent: %1</source>
        <translation>フッタを送れません: %1</translation>
    </message>
    <message>
        <source>text that is not Shift-JIS</source>
        <translation>Shift-JIS ではない文字</translation>
    </message>
    <message>
        <source>\x without two hexadecimal digits</source>
        <translation>2 桁の 16 進数が続かない \x</translation>
    </message>
    <message>
        <source>a backslash that is none of \e \r \n \\ \xNN</source>
        <translation>\e \r \n \\ \xNN のどれでもないバックスラッシュ</translation>
    </message>
    <message>
        <source>cannot make a temporary folder in %1: %2</source>
        <translation>%1 に一時フォルダを作れません: %2</translation>
    </message>
    <message>
        <source>cannot lock a temporary folder in %1</source>
        <translation>%1 の一時フォルダをロックできません</translation>
    </message>
    <message>
        <source>cannot write the plot body to %1: %2</source>
        <translation>プロットの本体を %1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write the plot body %1: %2</source>
        <translation>プロットの本体 %1 を書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 を書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 at byte %2 of &quot;%3&quot;</source>
        <translation>&quot;%3&quot; の %2 バイト目に%1があります</translation>
    </message>
    <message>
        <source>no product folder</source>
        <translation>製品フォルダがありません</translation>
    </message>
    <message>
        <source>the drawing&apos;s blocks multiply into more than %1 entities</source>
        <translation>図面のブロックが増えて %1 個を超える要素になります</translation>
    </message>
    <message>
        <source>the block &quot;%1&quot; inserts itself</source>
        <translation>ブロック &quot;%1&quot; が自分自身を挿入しています</translation>
    </message>
    <message>
        <source>blocks are inserted into blocks more than %1 deep</source>
        <translation>ブロックの入れ子が %1 段を超えています</translation>
    </message>
    <message>
        <source>an insert repeats a block %1 times</source>
        <translation>挿入でブロックが %1 回繰り返されます</translation>
    </message>
    <message>
        <source>a dashed line is cut into more dashes than a plot holds (its dashes are too short for its length); draw it without dashes, or with longer ones</source>
        <translation>破線が 1 つのプロットに入るより多い破線に分かれます (長さに比べて破線が短すぎます)。破線なしで描くか、破線を長くしてください</translation>
    </message>
    <message>
        <source>dash patterns of no length or with negative dashes drawn as solid lines</source>
        <translation>長さのない破線パターンや負の破線を含むパターンは実線で描きました</translation>
    </message>
    <message>
        <source>not an SVG drawing librsvg can read: %1</source>
        <translation>librsvg が読める SVG 図面ではありません: %1</translation>
    </message>
    <message>
        <source>librsvg could not read it</source>
        <translation>librsvg が読めませんでした</translation>
    </message>
    <message>
        <source>librsvg could not paint it</source>
        <translation>librsvg が描けませんでした</translation>
    </message>
    <message>
        <source>so many shapes overlap that what they hide can&apos;t be worked out in time: every outline is plotted</source>
        <translation>重なる図形が多すぎて隠れる線を時間内に求められません。すべての輪郭をプロットします</translation>
    </message>
    <message>
        <source>%1 shapes whose edges cross each other too often hide nothing: the lines under them are plotted</source>
        <translation>輪郭が自身と交わりすぎる図形 %1 個は下の線を隠しません。その下の線もプロットします</translation>
    </message>
    <message>
        <source>the drawing reaches beyond its canvas (%1); that part is not plotted</source>
        <translation>図面がキャンバスからはみ出しています (%1)。はみ出した部分はプロットしません</translation>
    </message>
    <message>
        <source>the plot would be larger than %1 MB: %2</source>
        <translation>プロットが %1 MB を超えます: %2</translation>
    </message>
    <message>
        <source>the drawing has that many lines to plot; plot part of it</source>
        <translation>図面の線がそれほど多くあります。図面の一部をプロットしてください</translation>
    </message>
    <message>
        <source>the perforation (%1) cuts the lines into that many pieces; set longer cut and skip lengths</source>
        <translation>ミシン目 (%1) が線をそれほど多くの切れ目に分けます。カット長とスキップ長を長くしてください</translation>
    </message>
    <message>
        <source>the drag knife&apos;s swings at the corners multiply the lines; plot part of the drawing</source>
        <translation>ドラッグナイフの角での回り込みが線を増やします。図面の一部をプロットしてください</translation>
    </message>
    <message>
        <source>pen %1, cut %2 mm, skip %3 mm</source>
        <translation>ペン %1、カット %2 mm、スキップ %3 mm</translation>
    </message>
    <message>
        <source>a line is too long to be perforated as set (%1): it would be cut into more than %2 pieces; set longer cut and skip lengths</source>
        <translation>線が長すぎて設定どおりのミシン目にできません (%1): %2 個を超える切れ目になります。カット長とスキップ長を長くしてください</translation>
    </message>
    <message>
        <source>the plot body can&apos;t be written (%1)</source>
        <translation>プロット本体を書き込めません (%1)</translation>
    </message>
    <message>
        <source>the PDF page makes more than %1 drawing operations (its Type 3 fonts&apos; glyphs, shown within each other, multiply them)</source>
        <translation>PDF のページの描画操作が %1 回を超えます (Type 3 フォントのグリフが互いの中で表示され、掛け合わされています)</translation>
    </message>
    <message>
        <source>the PDF page makes more than %1 drawing operations (a tiling pattern repeats its cell of %2 by %3 pt over the page)</source>
        <translation>PDF のページの描画操作が %1 回を超えます (タイリングパターンが %2 x %3 pt のセルをページ全体に繰り返します)</translation>
    </message>
    <message>
        <source>a Type 3 font of the PDF draws its glyphs with itself or more than %1 fonts deep</source>
        <translation>PDF の Type 3 フォントが自分自身で、または %1 段を超えるフォントでグリフを描きます</translation>
    </message>
    <message>
        <source>the PDF&apos;s page tree is more than %1 levels deep</source>
        <translation>PDF のページツリーが %1 段を超えて深くなっています</translation>
    </message>
    <message>
        <source>the DXF&apos;s linetypes cut its lines into more than %1 dashes, more than a plot holds</source>
        <translation>DXF の線種が線を %1 本を超える破線に分けます。プロットに収まる量を超えています</translation>
    </message>
    <message>
        <source>the DXF&apos;s inserted blocks multiply into more than %1 vertices, more than a plot holds</source>
        <translation>DXF の挿入されたブロックが %1 個を超える頂点に増えます。プロットに収まる量を超えています</translation>
    </message>
    <message>
        <source>pages %1 of %2 are outside the page range %3 set in Trazen Plotter Settings; not converted</source>
        <translation>%2 ページ中 %1 ページ目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、変換しません</translation>
    </message>
    <message>
        <source>page %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; not converted</source>
        <translation>%2 ページ中 %1 ページ目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、変換しません</translation>
    </message>
    <message>
        <source>panels %1 of %2 are outside the page range %3 set in Trazen Plotter Settings; not converted</source>
        <translation>%2 パネル中 %1 枚目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、変換しません</translation>
    </message>
    <message>
        <source>panel %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; not converted</source>
        <translation>%2 パネル中 %1 枚目は Trazen プロッタ設定のページ範囲 %3 の外にあるため、変換しません</translation>
    </message>
    <message>
        <source>a hatch pattern of the DXF draws its lines on one another (no offset between them)</source>
        <translation>DXF のハッチパターンが線を同じ位置に重ねて描きます (線の間隔が 0 です)</translation>
    </message>
    <message>
        <source>the DXF&apos;s hatch patterns make more than %1 lines and dashes, more than a plot holds</source>
        <translation>DXF のハッチパターンが %1 本を超える線と破線を作ります。プロットに収まる量を超えています</translation>
    </message>
    <message>
        <source>hatch patterns the DXF names without their lines (%1) hatched as fills, their pattern&apos;s distance apart</source>
        <translation>DXF が線を含めずに名前だけで指定したハッチパターン (%1) は、パターンの間隔で塗りつぶしとしてハッチングしました</translation>
    </message>
    <message>
        <source>%1 characters that the stroke fonts %2 lack drawn as outlines</source>
        <translation>ストロークフォント %2 にない %1 文字はアウトラインで描きました</translation>
    </message>
    <message>
        <source>the outline choice %1 can&apos;t be read: press OK in TRZNSerConfig to write it again, or give --outlines</source>
        <translation>プロットする輪郭の選択 %1 を読めません。TRZNSerConfig で OK を押して書き直すか、--outlines を指定してください</translation>
    </message>
    <message>
        <source>the outline choice %1 can&apos;t be read at line %2: press OK in TRZNSerConfig to write it again, or give --outlines</source>
        <translation>プロットする輪郭の選択 %1 の %2 行目を読めません。TRZNSerConfig で OK を押して書き直すか、--outlines を指定してください</translation>
    </message>
    <message>
        <source>layout &quot;%1&quot; (%2 x %3 mm) plotted as page %4 of %5</source>
        <translation>レイアウト「%1」(%2 x %3 mm) を %5 ページ中の %4 ページ目としてプロットしました</translation>
    </message>
    <message>
        <source>layout &quot;%1&quot; (%2 x %3 mm) plotted</source>
        <translation>レイアウト「%1」(%2 x %3 mm) をプロットしました</translation>
    </message>
    <message>
        <source>the model space plotted: the layouts %1 left out</source>
        <translation>モデル空間をプロットし、レイアウト %1 は省きました</translation>
    </message>
    <message>
        <source>the drawing has no layout &quot;%1&quot; that holds anything; its layouts are %2</source>
        <translation>図面には中身のあるレイアウト「%1」がありません。レイアウトは %2 です</translation>
    </message>
    <message>
        <source>the drawing has no layout &quot;%1&quot;: none of its layouts holds anything (plot its model space without --layout)</source>
        <translation>図面にレイアウト「%1」はありません。中身のあるレイアウトがありません (モデル空間は --layout なしでプロットします)</translation>
    </message>
    <message>
        <source>the drawing has %1 layouts: there is no page %2</source>
        <translation>図面のレイアウトは %1 個で、%2 ページ目はありません</translation>
    </message>
    <message>
        <source>layout &quot;%1&quot; refers to a paper space block that is not in the drawing: left out</source>
        <translation>レイアウト「%1」は図面にないペーパー空間のブロックを指しているため省きました</translation>
    </message>
    <message>
        <source>%1 viewports of no size or scale left out</source>
        <translation>大きさまたは尺度のないビューポート %1 個を省きました</translation>
    </message>
    <message>
        <source>viewports in the model space show nothing: left out</source>
        <translation>モデル空間にあるビューポートは何も表示しないため省きました</translation>
    </message>
    <message>
        <source>viewports beyond the first %1 left out</source>
        <translation>最初の %1 個を超えるビューポートは省きました</translation>
    </message>
    <message>
        <source>the layout&apos;s viewports together show more than %1 entities of the model</source>
        <translation>レイアウトのビューポートが表示するモデルのエンティティが合わせて %1 個を超えます</translation>
    </message>
    <message>
        <source>strokes painted with a pattern plotted as plain lines</source>
        <translation>パターンで塗られた線は普通の線として描きます</translation>
    </message>
    <message>
        <source>a pattern fill repeats its tile more than %1 times</source>
        <translation>パターン塗りのタイルが %1 回を超えて繰り返されます</translation>
    </message>
</context>
<context>
    <name>TPlotPreview</name>
    <message>
        <source>This plot can&apos;t be shown (the file can&apos;t be opened).
It is sent all the same.</source>
        <translation>このプロットは表示できません（ファイルを開けません）。
送信はそのまま行います。</translation>
    </message>
    <message>
        <source>This plot can&apos;t be shown (the file can&apos;t be read).
It is sent all the same.</source>
        <translation>このプロットは表示できません（ファイルを読めません）。
送信はそのまま行います。</translation>
    </message>
    <message>
        <source>This plot can&apos;t be shown (no HP-GL lines found).
It is sent all the same.</source>
        <translation>このプロットは表示できません（HP-GL の線が見つかりません）。
送信はそのまま行います。</translation>
    </message>
    <message>
        <source>Preparing the preview…</source>
        <translation>プレビューを準備しています…</translation>
    </message>
    <message>
        <source>The preview shows only part of the plot (too many lines). The whole plot is sent.</source>
        <translation>プレビューは途中までです（線が多すぎます）。送信はすべて行います。</translation>
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
    <message>
        <source>Plots an HP-GL file or a drawing (SVG or SVGZ, PDF, Illustrator, EPS or PostScript, DXF as text) with the destination set in TRZNSerConfig, through TRZNSerSend. A drawing is laid on the printable area of the configured page with the configured pens.
A drawing is read by a process of its own, stopped beyond 2 GB of memory or 300 s (TRZN_READ_MEMORY_MB and TRZN_READ_SECONDS set other limits).
Exit status: 0 delivered (or written with --output), 1 stopped or failed in the sender, 2 a file that can&apos;t be plotted or a bad command line, 3 another plot is being sent (--no-wait), 4 the product folder (or the --output file) can&apos;t be written, 5 TRZNSerSend can&apos;t be found or started, 6 the destination was never set up, no paper is chosen for a drawing, or the settings file can&apos;t be read.</source>
        <translation>HP-GL ファイルまたは図面 (SVG、SVGZ、PDF、Illustrator、EPS、PostScript、テキストの DXF) を、TRZNSerConfig で設定した送信先に TRZNSerSend で送ります。図面は設定したページの印刷可能領域に、設定したペンで配置します。
図面は専用のプロセスで読み込み、メモリが 2 GB または時間が 300 秒を超えると止めます (TRZN_READ_MEMORY_MB と TRZN_READ_SECONDS で別の上限を設定できます)。
終了ステータス: 0 送信した (--output では書き出した)、1 送信ソフトで中止または失敗、2 プロットできないファイルまたは誤ったコマンドライン、3 別のプロットを送信中 (--no-wait)、4 製品フォルダ (または --output のファイル) に書き込めない、5 TRZNSerSend が見つからないか起動できない、6 送信先がまだ設定されていない、図面に用紙が選ばれていない、または設定ファイルを読めない。</translation>
    </message>
    <message>
        <source>the drawing&apos;s reading process ended with status %1 and no result</source>
        <translation>図面を読むプロセスが、結果を残さずにステータス %1 で終わりました</translation>
    </message>
    <message>
        <source>the drawing&apos;s reading process can&apos;t be started: %1</source>
        <translation>図面を読むプロセスを起動できません: %1</translation>
    </message>
    <message>
        <source>the temporary folder %1 is full (no space left on its disk): free some space, or set TMPDIR to a larger disk</source>
        <translation>一時フォルダ %1 がいっぱいです (ディスクに空きがありません): 空きを作るか、TMPDIR を大きなディスクのフォルダにしてください</translation>
    </message>
    <message>
        <source>Trazen Plotter Settings was closed without OK: %1 was not plotted</source>
        <translation>Trazen プロッタ設定が OK で閉じられなかったため、%1 はプロットしませんでした</translation>
    </message>
    <message>
        <source>cancelled: %1 was not plotted</source>
        <translation>キャンセルしました: %1 はプロットしませんでした</translation>
    </message>
    <message numerus="yes">
        <source>%1 has %2 pages, and the page range %3 set in Trazen Plotter Settings makes %n plots of them, one per page.</source>
        <translation>
            <numerusform>%1 は %2 ページあり、Trazen プロッタ設定のページ範囲 %3 では、1 ページずつ %n 回のプロットになります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Plot all %n pages</source>
        <translation>
            <numerusform>%n ページすべてプロット</numerusform>
        </translation>
    </message>
    <message>
        <source>Plot page %1 only</source>
        <translation>%1 ページ目だけプロット</translation>
    </message>
    <message numerus="yes">
        <source>%1 is cut into %2 panels along the roll, and the page range %3 set in Trazen Plotter Settings makes %n plots of them, one per panel.</source>
        <translation>
            <numerusform>%1 はロール紙に沿って %2 枚のパネルに分かれ、Trazen プロッタ設定のページ範囲 %3 では、1 枚ずつ %n 回のプロットになります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Plot all %n panels</source>
        <translation>
            <numerusform>%n 枚すべてプロット</numerusform>
        </translation>
    </message>
    <message>
        <source>Plot panel %1 only</source>
        <translation>%1 枚目だけプロット</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Plot with Trazen</source>
        <translation>Trazen でプロット</translation>
    </message>
    <message>
        <source>Which outlines a drawing plots: shown (what the drawing shows: lines hidden under an opaque shape, and white shapes, left out) or every (every shape&apos;s outline whole, white ones too, as for layered vinyl); without it, as chosen in TRZNSerConfig.</source>
        <translation>図面のどの輪郭をプロットするか: shown (図面に見えるとおり。不透明な図形に隠れた線と白い図形は省きます) または every (すべての図形の輪郭を白も含めて丸ごと。重ねるカッティングシート向け)。指定しなければ TRZNSerConfig での選択に従います。</translation>
    </message>
    <message>
        <source>--outlines takes shown or every, not &quot;%1&quot;</source>
        <translation>--outlines には shown か every を指定してください (「%1」は使えません)</translation>
    </message>
    <message>
        <source>%1 is an HP-GL plot: --outlines chooses a drawing&apos;s lines, and an HP-GL plot is sent as it is</source>
        <translation>%1 は HP-GL のプロットです。--outlines は図面の線を選ぶもので、HP-GL のプロットはそのまま送ります</translation>
    </message>
    <message>
        <source>--layout and --model each choose what of a DXF is plotted: give one of them</source>
        <translation>--layout と --model はどちらも DXF のプロットする部分を選びます。どちらか一方を指定してください</translation>
    </message>
    <message>
        <source>give the name of a layout</source>
        <translation>レイアウトの名前を指定してください</translation>
    </message>
    <message>
        <source>Plot the DXF drawing&apos;s layout NAME alone (a DXF whose layouts hold anything plots them as its pages).</source>
        <translation>DXF 図面のレイアウト NAME だけをプロットします (中身のあるレイアウトを持つ DXF は、それらをページとしてプロットします)。</translation>
    </message>
    <message>
        <source>Plot the DXF drawing&apos;s model space instead of its layouts.</source>
        <translation>DXF 図面のレイアウトではなくモデル空間をプロットします。</translation>
    </message>
    <message>
        <source>--layout and --model are for DXF drawings: %1 is none</source>
        <translation>--layout と --model は DXF 図面用です。%1 は DXF ではありません</translation>
    </message>
</context>
<context>
    <name>TQueueDelivery</name>
    <message>
        <source>printer queue %1</source>
        <translation>プリンタキュー %1</translation>
    </message>
    <message>
        <source>Preparing to send…</source>
        <translation>送信の準備をしています…</translation>
    </message>
    <message>
        <source>Sending the plot to printer queue %1…</source>
        <translation>プリンタキュー %1 にプロットを送っています…</translation>
    </message>
    <message>
        <source>Job %1</source>
        <translation>ジョブ %1</translation>
    </message>
    <message>
        <source>Job %2 is on printer queue %1. Waiting for the plotter to finish it…</source>
        <translation>プリンタキュー %1 にジョブ %2 を送りました。プロッタで終わるのを待っています…</translation>
    </message>
    <message>
        <source>Sent.</source>
        <translation>送信しました。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>中止しました。</translation>
    </message>
    <message>
        <source>Stopped. Job %1 was cancelled.</source>
        <translation>中止しました。ジョブ %1 を取り消しました。</translation>
    </message>
    <message>
        <source>Stopped. Job %1 could not be cancelled: %2</source>
        <translation>中止しました。ジョブ %1 を取り消せませんでした: %2</translation>
    </message>
</context>
<context>
    <name>TRZN_Config</name>
    <message>
        <source>A preset &quot;%1&quot; exists already.
Replace it with the current settings?</source>
        <translation>プリセット &quot;%1&quot; はすでに存在します。
現在の設定で置き換えてもよろしいか？</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot; for good?</source>
        <translation>プリセット &quot;%1&quot; を完全に削除しますか？</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>未設定</translation>
    </message>
    <message>
        <source>The settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>続ける</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>%1 could not be saved to %2.</source>
        <translation>%1を %2 に保存できませんでした。</translation>
    </message>
    <message>
        <source>%1 could not be saved to %2: %3</source>
        <translation>%1を %2 に保存できませんでした: %3</translation>
    </message>
    <message>
        <source>The settings are not saved yet. Go back to the window to try again, or quit without saving.</source>
        <translation>設定はまだ保存されていません。ウィンドウに戻ってやり直すか、保存せずに終了できます。</translation>
    </message>
    <message>
        <source>Back to the window</source>
        <translation>ウィンドウに戻る</translation>
    </message>
    <message>
        <source>Quit without saving</source>
        <translation>保存せずに終了</translation>
    </message>
    <message>
        <source>The chosen path is too long to use (%1 bytes in UTF-8, %2 at most).</source>
        <translation>選んだパスは長すぎて使えません（UTF-8 で %1 バイト、%2 バイトまで）。</translation>
    </message>
    <message>
        <source>The preset &quot;%1&quot;</source>
        <translation>プリセット &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>再試行</translation>
    </message>
    <message>
        <source>The path is too long (%1 bytes in UTF-8, %2 at most).</source>
        <translation>パスが長すぎます（UTF-8 で %1 バイト、%2 バイトまで）。</translation>
    </message>
    <message>
        <source>Too long (%1 bytes, %2 at most).</source>
        <translation>長すぎます（%1 バイト、%2 バイトまで）。</translation>
    </message>
    <message>
        <source>A double quote can&apos;t be stored.</source>
        <translation>「&quot;」は保存できません。</translation>
    </message>
    <message>
        <source>A control character (U+%1) can&apos;t be stored.</source>
        <translation>制御文字（U+%1）は保存できません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no Shift-JIS form.</source>
        <translation>「%1」は Shift-JIS にない文字です。</translation>
    </message>
    <message>
        <source>No more fits (%1 bytes at most).</source>
        <translation>これ以上入りません（%1 バイトまで）。</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1（未接続）</translation>
    </message>
    <message>
        <source>%1 is not connected to this computer: plug in the adapter, or choose another destination.</source>
        <translation>%1 はこのコンピュータにつながっていません。アダプタをつなぐか、別の出力先を選んでください。</translation>
    </message>
    <message>
        <source>User defined</source>
        <translation>ユーザ定義</translation>
    </message>
    <message>
        <source>The drag knife settings can&apos;t be saved (%1). The previous ones stay as they were.</source>
        <translation>ナイフ補正の設定を保存できません (%1)。前の設定がそのまま残ります。</translation>
    </message>
    <message>
        <source>Continue without the knife settings</source>
        <translation>ナイフ補正を保存せずに続ける</translation>
    </message>
    <message>
        <source>No destination is chosen. Plots can&apos;t go anywhere like this. Choose the plotter&apos;s port or where plots go under Destination on the Output and line tab.</source>
        <translation>出力先が選ばれていません。このままでは、プロットをどこにも送れません。「出力と回線」の出力先で、プロッタのポートや送り先を選んでください。</translation>
    </message>
    <message>
        <source>Choose a destination</source>
        <translation>出力先を選ぶ</translation>
    </message>
    <message>
        <source>Save without a destination</source>
        <translation>出力先なしで保存</translation>
    </message>
    <message>
        <source>Not chosen</source>
        <translation>未選択</translation>
    </message>
    <message>
        <source>%1 was to be plotted, but where plots go is not set up yet. Choose the destination and press OK, and the file is plotted. Cancel plots nothing.</source>
        <translation>「%1」をプロットしようとしましたが、プロットの送り先がまだ決まっていません。出力先を選んで OK を押すと、このファイルをプロットします。キャンセルではプロットしません。</translation>
    </message>
    <message>
        <source>The shared folder is empty. Choose the folder plots are put in.</source>
        <translation>共有フォルダが空です。プロットを置くフォルダを選んでください。</translation>
    </message>
    <message>
        <source>The address is empty. Type the FTP print server&apos;s host.</source>
        <translation>アドレスが空です。FTP プリントサーバのホストを入力してください。</translation>
    </message>
    <message>
        <source>Choose the tool number that cuts the weeding frame.</source>
        <translation>カス取り枠をカットする工具番号を選んでください。</translation>
    </message>
    <message>
        <source>Choose the tool number to perforate.</source>
        <translation>ミシン目にする工具番号を選んでください。</translation>
    </message>
    <message>
        <source>The last page (%1) comes before the first page (%2).</source>
        <translation>終了ページ (%1) が開始ページ (%2) より前です。</translation>
    </message>
    <message>
        <source>The choice of outlines to plot can&apos;t be saved (%1). The previous one stays as it was.</source>
        <translation>プロットする輪郭の選択を保存できません (%1)。前の選択がそのまま残ります。</translation>
    </message>
    <message>
        <source>Continue without the outline choice</source>
        <translation>輪郭の選択を保存せずに続ける</translation>
    </message>
</context>
<context>
    <name>TRZN_PagePreview</name>
    <message>
        <source>No paper size entered</source>
        <translation>用紙の寸法が入力されていません</translation>
    </message>
    <message>
        <source>%1 × %2 %3</source>
        <translation>%1 × %2 %3</translation>
    </message>
    <message>
        <source>%1 (roll paper)</source>
        <translation>%1（ロール紙）</translation>
    </message>
    <message>
        <source>The page is too large to store at this scale and paper size</source>
        <translation>この倍率と用紙ではページを記録できません</translation>
    </message>
    <message>
        <source>The margins are too large: nothing is left to print on</source>
        <translation>余白が大きすぎて印刷範囲がありません</translation>
    </message>
    <message>
        <source>Printable area %1 × %2 %3 (scale %4%)</source>
        <translation>印刷範囲 %1 × %2 %3（倍率 %4%）</translation>
    </message>
    <message>
        <source>Lines inside the orange frame get their weeding frame all round</source>
        <translation>橙の枠の内側の線には、カス取り枠が全周切られます</translation>
    </message>
</context>
<context>
    <name>TRZN_Paper</name>
    <message>
        <source>Paper Name</source>
        <translation>用紙名</translation>
    </message>
    <message>
        <source>Type a name for the paper.</source>
        <translation>用紙名を入力してください。</translation>
    </message>
    <message>
        <source>A paper name can&apos;t contain a double quote.</source>
        <translation>「&quot;」は用紙名に使えません。</translation>
    </message>
    <message>
        <source>A paper name can&apos;t contain control characters.</source>
        <translation>制御文字は用紙名に使えません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no Shift-JIS form, so a paper name can&apos;t contain it.</source>
        <translation>「%1」は Shift-JIS にない文字なので用紙名に使えません。</translation>
    </message>
    <message>
        <source>Choose a paper in the list.</source>
        <translation>一覧で用紙を選んでください。</translation>
    </message>
    <message>
        <source>Make the width and the height from 1 to %1 points.</source>
        <translation>幅と高さは 1 から %1 ポイントまでの大きさにしてください。</translation>
    </message>
    <message>
        <source>The list holds at most %1 papers.</source>
        <translation>用紙は %1 件までです。</translation>
    </message>
    <message>
        <source>The last paper can&apos;t be deleted.</source>
        <translation>最後の用紙は削除できません。</translation>
    </message>
</context>
<context>
    <name>TRZN_PresetName</name>
    <message>
        <source>Enter a name.</source>
        <translation>名前を入力してください。</translation>
    </message>
    <message>
        <source>&quot;.&quot; and &quot;..&quot; can&apos;t be preset names.</source>
        <translation>「.」と「..」はプリセット名にできません。</translation>
    </message>
    <message>
        <source>&quot;/&quot; can&apos;t be used in a preset name.</source>
        <translation>「/」はプリセット名に使えません。</translation>
    </message>
    <message>
        <source>Control characters can&apos;t be used in a preset name.</source>
        <translation>制御文字はプリセット名に使えません。</translation>
    </message>
    <message>
        <source>A double quote can&apos;t be used in a preset name.</source>
        <translation>「&quot;」はプリセット名に使えません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no Shift-JIS form, so it can&apos;t be used in a preset name.</source>
        <translation>「%1」は Shift-JIS にない文字なのでプリセット名に使えません。</translation>
    </message>
    <message>
        <source>This name can&apos;t be a file name.</source>
        <translation>この名前はファイル名にできません。</translation>
    </message>
    <message>
        <source>A preset name can&apos;t contain &quot;.ini&quot; or &quot;.INI&quot;.</source>
        <translation>「.ini」や「.INI」を含む名前はプリセット名にできません。</translation>
    </message>
    <message>
        <source>The name is too long (%1 bytes in Shift-JIS at most).</source>
        <translation>名前が長すぎます（Shift-JIS で %1 バイトまで）。</translation>
    </message>
</context>
<context>
    <name>TRZN_SerSend</name>
    <message>
        <source>Destination: (unknown)</source>
        <translation>送信先: (不明)</translation>
    </message>
    <message>
        <source>The plot can&apos;t be sent: the Documents folder can&apos;t be found.</source>
        <translation>書類フォルダが見つからないため、プロットを送れません。</translation>
    </message>
    <message>
        <source>The plot can&apos;t be sent: the path of the Documents folder is too long.</source>
        <translation>書類フォルダのパスが長すぎるため、プロットを送れません。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Sending: %L1 / %L2 bytes</source>
        <translation>送信中: %L1 / %L2 バイト</translation>
    </message>
    <message>
        <source>Failed (%p% sent)</source>
        <translation>失敗 (%p% 送信済み)</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>The plot could not be sent.</source>
        <translation>送信できませんでした。</translation>
    </message>
    <message>
        <source>Destination: %1</source>
        <translation>送信先: %1</translation>
    </message>
    <message>
        <source>This user may not use serial ports. Add the user to the dialout group (sudo adduser $USER dialout), then log out and log in again.</source>
        <translation>このユーザーにはシリアルポートを使う権限がありません。ユーザーを dialout グループに加え (sudo adduser $USER dialout)、ログアウトしてから再度ログインしてください。</translation>
    </message>
    <message>
        <source>The port can&apos;t be found. Check that the plotter&apos;s cable or USB adapter is connected, then choose the port again in the configuration window.</source>
        <translation>ポートが見つかりません。プロッタのケーブルや USB アダプタがつながっているか確かめ、設定でポートを選び直してください。</translation>
    </message>
    <message>
        <source>Another program is using this port. Quit that program, then send again.</source>
        <translation>ほかのプログラムがこのポートを使っています。そのプログラムを終了してから送り直してください。</translation>
    </message>
    <message>
        <source>This is not a serial port. Choose the port again in the configuration window.</source>
        <translation>シリアルポートではありません。設定でポートを選び直してください。</translation>
    </message>
    <message>
        <source>System message: %1</source>
        <translation>システムの説明: %1</translation>
    </message>
    <message>
        <source>Serial port %1 could not be opened.</source>
        <translation>シリアルポート %1 を開けませんでした。</translation>
    </message>
    <message>
        <source>The line was cut. Check that the cable or USB adapter is still plugged in, then send again.</source>
        <translation>回線が切れました。ケーブルや USB アダプタが抜けていないか確かめてから送り直してください。</translation>
    </message>
    <message>
        <source>Sending to serial port %1 failed partway.</source>
        <translation>シリアルポート %1 への送信が途中で失敗しました。</translation>
    </message>
    <message>
        <source>There is no plot data to send (Trazen.tmp). Plot again from the illustration program.</source>
        <translation>送るプロットデータ (Trazen.tmp) がありません。イラストレーションプログラムから出力し直してください。</translation>
    </message>
    <message>
        <source>The shared folder has too many files with the same time stamp, so the plot could not be copied. Wait a moment, then send again.</source>
        <translation>共有フォルダに同じ時刻のファイルが多すぎるため、コピーできませんでした。少し待ってから送り直してください。</translation>
    </message>
    <message>
        <source>Could not copy to the shared folder (%1).
Check that the folder exists and can be written to (that the server is connected). System message: %2</source>
        <translation>共有フォルダにコピーできませんでした (%1)。
フォルダがあり、書き込めるか (サーバにつながっているか) 確かめてください。システムの説明: %2</translation>
    </message>
    <message>
        <source>Copying to the shared folder failed (%1). System message: %2</source>
        <translation>共有フォルダへのコピーに失敗しました (%1)。システムの説明: %2</translation>
    </message>
    <message>
        <source>Sending to FTP server %1 failed.</source>
        <translation>FTP サーバ %1 への送信に失敗しました。</translation>
    </message>
    <message>
        <source>Can&apos;t connect to the server. Check the server&apos;s power and network, and the address in the configuration window.</source>
        <translation>サーバにつながりません。サーバの電源とネットワーク、設定のアドレスを確かめてください。</translation>
    </message>
    <message>
        <source>Wrong user name or password. Check the configuration window.</source>
        <translation>ユーザー名またはパスワードが違います。設定を確かめてください。</translation>
    </message>
    <message>
        <source>The server has no such folder. Check the folder name in the configuration window.</source>
        <translation>サーバに指定のフォルダがありません。設定のフォルダ名を確かめてください。</translation>
    </message>
    <message>
        <source>The server did not answer in time.</source>
        <translation>サーバが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>Details: %1</source>
        <translation>詳しい説明: %1</translation>
    </message>
    <message>
        <source>The plot data %1 could not be read.</source>
        <translation>プロットデータ %1 を読めませんでした。</translation>
    </message>
    <message>
        <source>Light lines: the plot before sending    Dark lines: the plot once sent</source>
        <translation>薄い線: 送信前のプロット&#x3000;&#x3000;濃い線: 送信を終えたプロット</translation>
    </message>
    <message>
        <source>The disk is full. Delete files you no longer need to make room, then output the plot again from the illustration program.</source>
        <translation>ディスクがいっぱいです。不要なファイルを消して空きを作ってから、イラストレーションプログラムから出力し直してください。</translation>
    </message>
    <message>
        <source>A folder of the same name stands where the file should be. Move or rename that folder, then output the plot again.</source>
        <translation>ファイルのあるべき所に同じ名前のフォルダがあります。そのフォルダを移すか名前を変えてから出力し直してください。</translation>
    </message>
    <message>
        <source>Writing is not permitted. Check the permissions of the folder and the file. System message: %1</source>
        <translation>書き込みが許されていません。フォルダとファイルの権限を確かめてください。システムの説明: %1</translation>
    </message>
    <message>
        <source>The plot data to send (Trazen.tmp) could not be created. Sending was stopped so that the previous plot is not sent again.</source>
        <translation>送るプロットデータ (Trazen.tmp) を作れませんでした。前回のプロットを送らないよう、送信をやめました。</translation>
    </message>
    <message>
        <source>The plot written by the illustration program (Trazen Prefs) could not be read.</source>
        <translation>イラストレーションプログラムが書き出したプロット (Trazen Prefs) を読めませんでした。</translation>
    </message>
    <message>
        <source>The plot data to send (Trazen.tmp) could not be written completely.</source>
        <translation>送るプロットデータ (Trazen.tmp) を最後まで書けませんでした。</translation>
    </message>
    <message>
        <source>The plot could not be prepared for sending.</source>
        <translation>プロットを送る準備ができませんでした。</translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>フォルダ: %1</translation>
    </message>
    <message>
        <source>CUPS says: %1</source>
        <translation>CUPS の説明: %1</translation>
    </message>
    <message>
        <source>The CUPS server can&apos;t be reached. Check that CUPS is running (on this machine, or the server named by CUPS_SERVER or client.conf) and the network.</source>
        <translation>CUPS サーバにつながりません。CUPS が動いているか (このマシンか、CUPS_SERVER や client.conf に書かれたサーバ)、ネットワークを確かめてください。</translation>
    </message>
    <message>
        <source>The server has no such printer queue. Choose the destination again in the settings.</source>
        <translation>このプリンタキューはサーバにありません。設定で送信先を選び直してください。</translation>
    </message>
    <message>
        <source>The server did not accept the job (the queue is not accepting jobs, or you are not allowed to print to it).</source>
        <translation>サーバがジョブを受け付けませんでした (キューが受付を止めているか、権限がありません)。</translation>
    </message>
    <message>
        <source>The connection to the server broke before the job&apos;s data had all gone.</source>
        <translation>ジョブのデータを送り終える前にサーバとの接続が切れました。</translation>
    </message>
    <message>
        <source>The plot could not be sent to the printer queue %1.</source>
        <translation>プリンタキュー %1 に送れませんでした。</translation>
    </message>
    <message>
        <source>The CUPS server can no longer be reached; whether job %1 (%2) finished can&apos;t be told.</source>
        <translation>CUPS サーバにつながらなくなり、ジョブ %1 (%2) の終わりを確かめられません。</translation>
    </message>
    <message>
        <source>Job %1 (%2) was aborted on the server. The plotter did not get all of it.</source>
        <translation>ジョブ %1 (%2) はサーバで中断されました。プロッタに全部は届いていません。</translation>
    </message>
    <message>
        <source>Job %1 (%2) was cancelled on the server.</source>
        <translation>ジョブ %1 (%2) はサーバで取り消されました。</translation>
    </message>
    <message>
        <source>Job %1 (%2) was stopped on the server.</source>
        <translation>ジョブ %1 (%2) はサーバで止められました。</translation>
    </message>
    <message>
        <source>Job %1 (%2) is gone from the server (the queue may have been deleted).</source>
        <translation>ジョブ %1 (%2) がサーバから消えました (キューが削除されたかもしれません)。</translation>
    </message>
    <message>
        <source>Printer queue %1 is sending job %2 to the plotter…</source>
        <translation>プリンタキュー %1 のジョブ %2 をプロッタに送っています…</translation>
    </message>
    <message>
        <source>Job %2 on printer queue %1 is held.</source>
        <translation>プリンタキュー %1 のジョブ %2 は保留されています。</translation>
    </message>
    <message>
        <source>Job %2 on printer queue %1 is waiting its turn.</source>
        <translation>プリンタキュー %1 のジョブ %2 は順番を待っています。</translation>
    </message>
    <message>
        <source>Named pipes, devices and other things that are not plain files are not read. Remove it, then output the plot again.</source>
        <translation>名前付きパイプやデバイスなど、普通のファイルでないものは読みません。それを取り除いてから出力し直してください。</translation>
    </message>
    <message>
        <source>The %1 written by the illustration program is not a plain file.</source>
        <translation>イラストレーションプログラムが書き出した %1 は普通のファイルではありません。</translation>
    </message>
    <message>
        <source>The result of the delivery could not be recorded in the settings file, so the illustration program will not learn how it ended. Check the free disk space and the file&apos;s permissions.</source>
        <translation>送信の結果を設定ファイルに記録できませんでした。イラストレーションプログラムには送信の終わりが伝わりません。ディスクの空きとファイルの権限を確かめてください。</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>ファイル: %1</translation>
    </message>
    <message>
        <source>Destination: (waiting)</source>
        <translation>送信先: (待機中)</translation>
    </message>
    <message>
        <source>Another plot is being sent. This plot goes out as soon as it has finished…</source>
        <translation>別のプロットを送信しています。それが終わりしだい、このプロットを送ります…</translation>
    </message>
    <message>
        <source>The plot was delivered, but its result could not be recorded.</source>
        <translation>プロットは送りましたが、その結果を記録できませんでした。</translation>
    </message>
    <message>
        <source>Not plotted:</source>
        <translation>プロットされない部分:</translation>
    </message>
    <message>
        <source>The plotter on serial port %1 answered the query (%2) with “%3”, which is not a number.</source>
        <translation>シリアルポート %1 のプロッタが問い合わせ (%2) に、数ではない答え「%3」を返しました。</translation>
    </message>
    <message>
        <source>The plotter on serial port %1 did not answer the query (%2) within 2 seconds.</source>
        <translation>シリアルポート %1 のプロッタが問い合わせ (%2) に 2 秒たっても答えませんでした。</translation>
    </message>
    <message>
        <source> The whole plot was sent, but whether it has been drawn could not be confirmed.</source>
        <translation>プロットは送り終えましたが、描き終えたかは確かめられませんでした。</translation>
    </message>
    <message>
        <source> %L1 of %L2 bytes had been sent.</source>
        <translation>送ったのは %L1 / %L2 バイトまでです。</translation>
    </message>
    <message>
        <source>The flow control “Plotter buffer (ESC.B)” is for plotters that answer queries. In the settings, choose “RTS/CTS” (with a cable that has handshake lines) or “XON/XOFF” as the flow control and send again.</source>
        <translation>フロー制御「プロッタのバッファ (ESC.B)」は問い合わせに答えるプロッタのためのものです。設定でフロー制御を「RTS/CTS」(ハンドシェーク線のあるケーブル) か「XON/XOFF」に変えて送り直してください。</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>停止しています…</translation>
    </message>
</context>
<context>
    <name>TSerialDelivery</name>
    <message>
        <source>Serial port %1</source>
        <translation>シリアルポート %1</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>中止しました。</translation>
    </message>
    <message>
        <source>Stopped. Nothing was sent to the plotter.</source>
        <translation>中止しました。プロッタには何も送っていません。</translation>
    </message>
    <message>
        <source>Sent. Waiting for the plotter to take everything in…</source>
        <translation>送信しました。プロッタの受信完了を待っています…</translation>
    </message>
    <message>
        <source>Sent. The plotter is drawing what it holds…</source>
        <translation>送信しました。プロッタが受け取った分を描いています…</translation>
    </message>
    <message>
        <source>Stopped. The plotter drops what it holds, lifts the pen and stops.</source>
        <translation>中止しました。プロッタは受け取った分を捨て、ペンを上げて止まります。</translation>
    </message>
    <message>
        <source>Stopped. The plotter draws what it has taken in, then lifts the pen and stops.</source>
        <translation>中止しました。プロッタは受け取った分を描き終えると、ペンを上げて止まります。</translation>
    </message>
    <message>
        <source>Waiting for the plotter to take in what was sent…</source>
        <translation>プロッタが受け取り終えるのを待っています…</translation>
    </message>
    <message>
        <source>Plotted.</source>
        <translation>プロッタが描き終えました。</translation>
    </message>
</context>
<context>
    <name>TUnsetDestination</name>
    <message>
        <source>(not set)</source>
        <translation>(未設定)</translation>
    </message>
    <message>
        <source>The plotter is not set up yet: choose where plots go in Trazen Plotter Settings, then plot again.</source>
        <translation>プロッタはまだ設定されていません。Trazen プロッタ設定で送信先を選んでから、もう一度プロットしてください。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>中止しました。</translation>
    </message>
</context>
<context>
    <name>presetNameModal</name>
    <message>
        <source>Save Preset</source>
        <translation>プリセットの保存</translation>
    </message>
    <message>
        <source>Preset &amp;name:</source>
        <translation>プリセット名(&amp;N):</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trznConfigModal</name>
    <message>
        <source>Pr&amp;eset:</source>
        <translation>プリセット(&amp;Y):</translation>
    </message>
    <message>
        <source>No preset</source>
        <translation>プリセットなし</translation>
    </message>
    <message>
        <source>────────</source>
        <translation>────────</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>名前を付けて保存...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Output and Line</source>
        <translation>出力と回線</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>出力先</translation>
    </message>
    <message>
        <source>&amp;Destination:</source>
        <translation>出力先(&amp;P):</translation>
    </message>
    <message>
        <source>Shared &amp;folder:</source>
        <translation>共有フォルダ(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Choose...</source>
        <translation>選択(&amp;S)...</translation>
    </message>
    <message>
        <source>Network &amp;address:</source>
        <translation>ネットワークアドレス(&amp;A):</translation>
    </message>
    <message>
        <source>Port &amp;number:</source>
        <translation>ポート番号(&amp;N):</translation>
    </message>
    <message>
        <source>Serial Line</source>
        <translation>シリアル回線</translation>
    </message>
    <message>
        <source>300</source>
        <translation>300</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>2400</source>
        <translation>2400</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>28800</source>
        <translation>28800</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>57600</source>
        <translation>57600</translation>
    </message>
    <message>
        <source>Da&amp;ta bits:</source>
        <translation>データビット(&amp;D):</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>&amp;Stop bits:</source>
        <translation>ストップビット(&amp;T):</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Pa&amp;rity:</source>
        <translation>パリティ(&amp;R):</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇数</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶数</translation>
    </message>
    <message>
        <source>Flo&amp;w control:</source>
        <translation>フロー制御(&amp;W):</translation>
    </message>
    <message>
        <source>XON/XOFF</source>
        <translation>XON/XOFF</translation>
    </message>
    <message>
        <source>RTS/CTS</source>
        <translation>RTS/CTS</translation>
    </message>
    <message>
        <source>Plot Data</source>
        <translation>送信データ</translation>
    </message>
    <message>
        <source>A&amp;veraging:</source>
        <translation>平均化(&amp;V):</translation>
    </message>
    <message>
        <source>&amp;Header:</source>
        <translation>ヘッダ(&amp;H):</translation>
    </message>
    <message>
        <source>F&amp;ooter:</source>
        <translation>フッタ(&amp;O):</translation>
    </message>
    <message>
        <source>Use PD &amp;limit</source>
        <translation>PD 制限を使う(&amp;L)</translation>
    </message>
    <message>
        <source>Pens</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Pen number</source>
        <translation>ペン番号</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Pen &amp;1:</source>
        <translation>ペン 1(&amp;1):</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <source>13</source>
        <translation>13</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黒</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>マゼンタ</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>シアン</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>No color</source>
        <translation>色なし</translation>
    </message>
    <message>
        <source>Pen &amp;2:</source>
        <translation>ペン 2(&amp;2):</translation>
    </message>
    <message>
        <source>Pen &amp;3:</source>
        <translation>ペン 3(&amp;3):</translation>
    </message>
    <message>
        <source>Pen &amp;4:</source>
        <translation>ペン 4(&amp;4):</translation>
    </message>
    <message>
        <source>Pen &amp;5:</source>
        <translation>ペン 5(&amp;5):</translation>
    </message>
    <message>
        <source>Pen &amp;6:</source>
        <translation>ペン 6(&amp;6):</translation>
    </message>
    <message>
        <source>Pen &amp;7:</source>
        <translation>ペン 7(&amp;7):</translation>
    </message>
    <message>
        <source>Pen &amp;8:</source>
        <translation>ペン 8(&amp;8):</translation>
    </message>
    <message>
        <source>Pen &amp;9:</source>
        <translation>ペン 9(&amp;9):</translation>
    </message>
    <message>
        <source>Pen 1&amp;0:</source>
        <translation>ペン 10(&amp;0):</translation>
    </message>
    <message>
        <source>Paper and Scale</source>
        <translation>用紙と倍率</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>用紙</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>用紙(&amp;P):</translation>
    </message>
    <message>
        <source>Paper l&amp;ist...</source>
        <translation>用紙リスト(&amp;E)...</translation>
    </message>
    <message>
        <source>Size &amp;unit:</source>
        <translation>寸法の単位(&amp;U):</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>インチ</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>ミリメートル</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>ポイント</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>&amp;Roll paper</source>
        <translation>ロール紙(&amp;R)</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>用紙の向き</translation>
    </message>
    <message>
        <source>P&amp;ortrait</source>
        <translation>縦(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Landscape (rotated)</source>
        <translation>横（回転）(&amp;Z)</translation>
    </message>
    <message>
        <source>Scale and Pages</source>
        <translation>倍率とページ</translation>
    </message>
    <message>
        <source>&amp;Scale (%):</source>
        <translation>倍率 (%)(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;First page:</source>
        <translation>開始ページ(&amp;F):</translation>
    </message>
    <message>
        <source>Las&amp;t page:</source>
        <translation>終了ページ(&amp;L):</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>余白</translation>
    </message>
    <message>
        <source>Margins and Roll Length</source>
        <translation>余白とロール長</translation>
    </message>
    <message>
        <source>&amp;Unit:</source>
        <translation>単位(&amp;U):</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>&amp;Cut sheet:</source>
        <translation>カット紙(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Roll paper:</source>
        <translation>ロール紙(&amp;R):</translation>
    </message>
    <message>
        <source>Roll len&amp;gth:</source>
        <translation>ロール長(&amp;G):</translation>
    </message>
    <message>
        <source>Cutting and Options</source>
        <translation>カットとその他</translation>
    </message>
    <message>
        <source>&amp;Tool number:</source>
        <translation>工具番号(&amp;T):</translation>
    </message>
    <message>
        <source>K margin:</source>
        <translation>K マージン:</translation>
    </message>
    <message>
        <source>T&amp;ool number:</source>
        <translation>工具番号(&amp;O):</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>&amp;Auto split</source>
        <translation>自動分割(&amp;A)</translation>
    </message>
    <message>
        <source>Auto pe&amp;n selection</source>
        <translation>自動ペン選択(&amp;N)</translation>
    </message>
    <message>
        <source>Optimize &amp;lines</source>
        <translation>線の最適化(&amp;L)</translation>
    </message>
    <message>
        <source>E&amp;xtended optimization</source>
        <translation>拡張最適化(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Debug</source>
        <translation>デバッグ(&amp;D)</translation>
    </message>
    <message>
        <source>Sort order:</source>
        <translation>並べ替え:</translation>
    </message>
    <message>
        <source>Method A</source>
        <translation>方式 A</translation>
    </message>
    <message>
        <source>Method B</source>
        <translation>方式 B</translation>
    </message>
    <message>
        <source>Method C</source>
        <translation>方式 C</translation>
    </message>
    <message>
        <source>Kan&amp;ji:</source>
        <translation>漢字(&amp;J):</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Outl&amp;ine:</source>
        <translation>アウトライン(&amp;I):</translation>
    </message>
    <message>
        <source>Ori&amp;gin:</source>
        <translation>原点(&amp;G):</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>1.5 (sent as 1)</source>
        <translation>1.5 (1 で送信)</translation>
    </message>
    <message>
        <source>14 (stored as 0, shown as 13 next time)</source>
        <translation>14 (0 で保存、次回は 13)</translation>
    </message>
    <message>
        <source>Plotter buffer (ESC.B)</source>
        <translation>プロッタのバッファ (ESC.B)</translation>
    </message>
    <message>
        <source>For HP-GL pen plotters that answer queries (ESC.B, ESC.O): sends as much as the plotter&apos;s buffer has room for, counts as done once the plotter has drawn everything, and Stop halts the pen at once. The line&apos;s handshake is not used. With a plotter that does not answer, sending fails.</source>
        <translation>問い合わせ (ESC.B, ESC.O) に答える HP-GL ペンプロッタ用です。プロッタのバッファの空きに合わせて送り、描き終えてから完了とし、中止でペンをすぐ止めます。回線のハンドシェークは使いません。答えないプロッタでは送信が失敗します。</translation>
    </message>
    <message>
        <source>Saved sets of settings: choosing one fills this window with it.</source>
        <translation>保存した設定の組です。選ぶと、その設定がこの窓に入ります。</translation>
    </message>
    <message>
        <source>Where plots go: a serial port, the shared folder, an FTP print server or a CUPS printer queue. Only the fields of the destination chosen can be edited.</source>
        <translation>プロットの送り先: シリアルポート、共有フォルダ、FTP プリントサーバ、CUPS のプリンタキュー。選んだ送り先の欄だけが使えます。</translation>
    </message>
    <message>
        <source>The Trazen Server&apos;s shared folder that plots are put in (up to 127 bytes in UTF-8)</source>
        <translation>プロットを置く Trazen Server の共有フォルダ（UTF-8 で 127 バイトまで）</translation>
    </message>
    <message>
        <source>Choose the shared folder.</source>
        <translation>共有フォルダを選びます。</translation>
    </message>
    <message>
        <source>The FTP print server: host:folder:user:password (folder, user and password may stay empty). The password shows only while you edit this field.</source>
        <translation>FTP プリントサーバ: ホスト:フォルダ:ユーザ:パスワード（フォルダ、ユーザ、パスワードは空でもかまいません）。パスワードは、この欄を編集している間だけ見えます。</translation>
    </message>
    <message>
        <source>The FTP server&apos;s port number; 0 for the server&apos;s usual port (21).</source>
        <translation>FTP サーバのポート番号。0 はサーバの通常のポート (21) です。</translation>
    </message>
    <message>
        <source>&amp;Baud rate (bit/s):</source>
        <translation>ボーレート (bit/s)(&amp;B):</translation>
    </message>
    <message>
        <source>The line&apos;s speed in bits per second, as the plotter is set.</source>
        <translation>回線の速さ（ビット/秒）。プロッタの設定と同じにします。</translation>
    </message>
    <message>
        <source>Data bits per character, as the plotter is set.</source>
        <translation>1 文字のデータビット数。プロッタの設定と同じにします。</translation>
    </message>
    <message>
        <source>Stop bits, as the plotter is set.</source>
        <translation>ストップビット数。プロッタの設定と同じにします。</translation>
    </message>
    <message>
        <source>Parity, as the plotter is set.</source>
        <translation>パリティ。プロッタの設定と同じにします。</translation>
    </message>
    <message>
        <source>How the plotter holds the sending back while it can&apos;t take more: RTS/CTS (a cable with handshake wires), XON/XOFF, or asking the plotter about its buffer.</source>
        <translation>プロッタが受け取れない間、送信を待たせる方法: RTS/CTS（ハンドシェーク線のあるケーブル）、XON/XOFF、またはプロッタのバッファへの問い合わせ。</translation>
    </message>
    <message>
        <source>A value for the drawing program&apos;s plug-in: stored as typed; trzn-plot&apos;s plots do not use it.</source>
        <translation>描画プログラムのプラグインが使う値です。入力したまま保存され、trzn-plot のプロットには使われません。</translation>
    </message>
    <message>
        <source>1 or more. A value for the drawing program&apos;s plug-in: stored as typed; trzn-plot&apos;s plots do not use it.</source>
        <translation>1 以上。描画プログラムのプラグインが使う値です。入力したまま保存され、trzn-plot のプロットには使われません。</translation>
    </message>
    <message>
        <source>Width = fill line spacing (mm)</source>
        <translation>太さ＝塗りの線間隔 (mm)</translation>
    </message>
    <message>
        <source>The number the plot selects this pen with (SP): the plotter&apos;s pen (tool) number.</source>
        <translation>プロットがこのペンを選ぶ番号 (SP) です。プロッタのペン（ツール）の番号にします。</translation>
    </message>
    <message>
        <source>The pen&apos;s colour: with automatic pen selection each shape is drawn with the pen nearest its colour.</source>
        <translation>ペンの色。自動ペン選択では、図形の色にいちばん近い色のペンで描きます。</translation>
    </message>
    <message>
        <source>Fills are hatched with parallel lines this far apart, and strokes wider than 1.5 times the pen are filled inside their outline. 0 draws outlines only (a knife, or a pen not measured).</source>
        <translation>塗りつぶしはこの間隔の平行線で塗られ、ペンの 1.5 倍より太い線は輪郭の内側が塗られます。0 は輪郭だけを描きます（ナイフ、太さを測っていないペン）。</translation>
    </message>
    <message>
        <source>A paper of your paper list: its width, height and roll flag fill the fields below.</source>
        <translation>用紙リストの用紙。その幅、高さ、ロール紙かどうかが下の欄に入ります。</translation>
    </message>
    <message>
        <source>Edit the paper list.</source>
        <translation>用紙リストを編集します。</translation>
    </message>
    <message>
        <source>The unit of the width and height</source>
        <translation>幅と高さの単位</translation>
    </message>
    <message>
        <source>The paper&apos;s width, as it lies in the plotter</source>
        <translation>プロッタに置いた向きでの用紙の幅</translation>
    </message>
    <message>
        <source>The paper&apos;s height (on a roll, its length along the feed)</source>
        <translation>用紙の高さ（ロール紙では送る方向の長さ）</translation>
    </message>
    <message>
        <source>Roll paper: the roll margins apply, and a drawing can be cut at the roll length.</source>
        <translation>ロール紙: ロール紙の余白を使い、ロール長で分割や切り取りができます。</translation>
    </message>
    <message>
        <source>The page lies upright on the paper.</source>
        <translation>ページを用紙のとおりに置きます。</translation>
    </message>
    <message>
        <source>The page lies a quarter turn on the paper (its top along the paper&apos;s left edge).</source>
        <translation>ページを用紙の上に 90 度回して置きます（ページの上が用紙の左辺）。</translation>
    </message>
    <message>
        <source>The size the drawing is plotted at, in percent (100: real size)</source>
        <translation>図面を描く大きさ（パーセント、100 で原寸）</translation>
    </message>
    <message>
        <source>The first page plotted (a document&apos;s page, or a panel along the roll)</source>
        <translation>プロットする最初のページ（文書のページ、またはロール紙の分割）</translation>
    </message>
    <message>
        <source>The last page plotted; 9999 for all.</source>
        <translation>プロットする最後のページ。9999 ですべてです。</translation>
    </message>
    <message>
        <source>The unit of the margins and the roll length</source>
        <translation>余白とロール長の単位</translation>
    </message>
    <message>
        <source>A cut sheet&apos;s margin: the drawing lands on the printable area inside the margins.</source>
        <translation>カット紙の余白。図面はその内側の印刷範囲に置かれます。</translation>
    </message>
    <message>
        <source>A roll&apos;s margin: the drawing lands on the printable area inside the margins.</source>
        <translation>ロール紙の余白。図面はその内側の印刷範囲に置かれます。</translation>
    </message>
    <message>
        <source>A plot on roll paper is cut into panels this long (Auto split) or clipped here; 0 for none.</source>
        <translation>ロール紙のプロットをこの長さごとに分割（自動分割）するか、ここで切り取ります。0 はなしです。</translation>
    </message>
    <message>
        <source>A drawing longer than the roll length is cut into panels of that length, sent one after another.</source>
        <translation>ロール長より長い図面を、ロール長ごとのプロットに分けて順に送ります。</translation>
    </message>
    <message>
        <source>Each shape with the pen nearest its colour; off, everything with pen 1.</source>
        <translation>図形ごとに、色のいちばん近いペンで描きます。オフではすべてペン 1 です。</translation>
    </message>
    <message>
        <source>Orders the lines to shorten the pen-up travel; off, in the drawing&apos;s order.</source>
        <translation>ペンを上げて動く距離が短くなるように線を並べます。オフでは図面の順です。</translation>
    </message>
    <message>
        <source>Lines drawn twice are drawn once, and lines whose ends meet are joined.</source>
        <translation>2 度描かれる線を 1 度にし、端の接する線をつなぎます。</translation>
    </message>
    <message>
        <source>In the order line optimisation gives.</source>
        <translation>線の最適化のとおりの順に描きます。</translation>
    </message>
    <message>
        <source>Shapes inside a closed shape first (letters&apos; counters before the letters).</source>
        <translation>閉じた図形の内側にある図形を先に描きます（文字の穴を文字より先に）。</translation>
    </message>
    <message>
        <source>Band after band, 25 mm deep, along the paper&apos;s length.</source>
        <translation>用紙の長さ方向に 25 mm の帯ごとに描きます。</translation>
    </message>
    <message>
        <source>How many steps the plotter moves per inch (100–10000). 0 and 1016 (0.025 mm) send the coordinates as they are; any other value converts them to that step.</source>
        <translation>プロッタが 1 インチを何ステップで動くか (100〜10000)。0 と 1016 (0.025 mm) では座標をそのまま送り、ほかの値ではその単位に換算します。</translation>
    </message>
    <message>
        <source>Device commands sent as typed at the start of every plot. \e (escape), \r, \n, \\ and \xNN become their byte.</source>
        <translation>各プロットの最初に、入力したとおり送る装置コマンドです。\e (エスケープ)、\r、\n、\\、\xNN はそのバイトになります。</translation>
    </message>
    <message>
        <source>Device commands sent as typed at the end of every plot. \e (escape), \r, \n, \\ and \xNN become their byte.</source>
        <translation>各プロットの最後に、入力したとおり送る装置コマンドです。\e (エスケープ)、\r、\n、\\、\xNN はそのバイトになります。</translation>
    </message>
    <message>
        <source>When on, no PD instruction holds more than A coordinate pairs or more than S bytes. The points and the pen lifts stay the same.</source>
        <translation>オンでは、どの PD 命令も A 組より多くの座標を持たず、S バイトより長くなりません。点とペンの上げ下ろしは変わりません。</translation>
    </message>
    <message>
        <source>The most coordinate pairs in one PD instruction.</source>
        <translation>1 つの PD 命令に入れる座標の組の最大数です。</translation>
    </message>
    <message>
        <source>The most bytes in one PD instruction (counting &quot;PD&quot; and &quot;;&quot;).</source>
        <translation>1 つの PD 命令の最大バイト数です (PD と ; を含みます)。</translation>
    </message>
    <message>
        <source>When on, every plot ends with a rectangle around all its other lines (a weeding frame), cut with the tool number&apos;s pen.</source>
        <translation>オンでは、各プロットの最後に、ほかの線すべてを囲む長方形 (カス取り枠) を工具番号のペンでカットします。</translation>
    </message>
    <message>
        <source>The pen number (SP) that cuts the weeding frame.</source>
        <translation>カス取り枠をカットするペン番号 (SP) です。</translation>
    </message>
    <message>
        <source>The unit of the K margins.</source>
        <translation>K マージンの長さの単位です。</translation>
    </message>
    <message>
        <source>How far the weeding frame lies above the lines (away from the plotter&apos;s origin).</source>
        <translation>カス取り枠を線の範囲から上 (プロッタの原点から遠い側) にどれだけ離すか。</translation>
    </message>
    <message>
        <source>How far the weeding frame lies left of the lines.</source>
        <translation>カス取り枠を線の範囲から左にどれだけ離すか。</translation>
    </message>
    <message>
        <source>How far the weeding frame lies below the lines (towards the plotter&apos;s origin).</source>
        <translation>カス取り枠を線の範囲から下 (プロッタの原点の側) にどれだけ離すか。</translation>
    </message>
    <message>
        <source>How far the weeding frame lies right of the lines.</source>
        <translation>カス取り枠を線の範囲から右にどれだけ離すか。</translation>
    </message>
    <message>
        <source>When on, the lines of the tool number&apos;s pen are cut in pieces of the cut length with the skip length left between (perforation).</source>
        <translation>オンでは、工具番号のペンの線を、カット長ずつ、スキップ長をあけて切ります (ミシン目)。</translation>
    </message>
    <message>
        <source>The pen number (after pen choice) whose lines are perforated.</source>
        <translation>ミシン目にするペン番号 (ペン選択のあとの番号) です。</translation>
    </message>
    <message>
        <source>The length of each cut piece. 0 or less cuts the lines whole.</source>
        <translation>カットする長さです。0 以下では線をそのまま切ります。</translation>
    </message>
    <message>
        <source>The length of each skip. 0 or less cuts the lines whole.</source>
        <translation>あけておく長さです。0 以下では線をそのまま切ります。</translation>
    </message>
    <message>
        <source>Plotter &amp;units (steps per inch):</source>
        <translation>プロッタ単位 (ステップ/インチ)(&amp;U):</translation>
    </message>
    <message>
        <source>PD limit A (pairs, 1–180):</source>
        <translation>PD 制限 A (組, 1〜180):</translation>
    </message>
    <message>
        <source>PD limit S (bytes, 1–9999):</source>
        <translation>PD 制限 S (バイト, 1〜9999):</translation>
    </message>
    <message>
        <source>Cut length (0.1 mm):</source>
        <translation>カット長 (0.1 mm):</translation>
    </message>
    <message>
        <source>Skip length (0.1 mm):</source>
        <translation>スキップ長 (0.1 mm):</translation>
    </message>
    <message>
        <source>Drag knife</source>
        <translation>ナイフ補正</translation>
    </message>
    <message>
        <source>Use &amp;blade compensation</source>
        <translation>ナイフ補正を使う(&amp;B)</translation>
    </message>
    <message>
        <source>When on, the lines of the tool number&apos;s pen are cut for a drag knife: each line run on by the blade offset with the blade swung round at corners, and closed lines cut on past their start by the overcut.</source>
        <translation>オンでは、工具番号のペンの線をドラッグナイフ用に切ります。刃先オフセットだけ各線を延ばして角で刃を回し、閉じた線はオーバーカットだけ切り重ねます。</translation>
    </message>
    <message>
        <source>Tool nu&amp;mber:</source>
        <translation>工具番号(&amp;E):</translation>
    </message>
    <message>
        <source>The drag knife&apos;s pen number (after pen choice).</source>
        <translation>ドラッグナイフのペン番号 (ペン選択のあとの番号) です。</translation>
    </message>
    <message>
        <source>Blade o&amp;ffset (mm):</source>
        <translation>刃先オフセット (mm)(&amp;F):</translation>
    </message>
    <message>
        <source>How far the blade tip trails the holder&apos;s centre (0–5 mm).</source>
        <translation>刃先がホルダの中心から後ろにずれている長さです (0〜5 mm)。</translation>
    </message>
    <message>
        <source>O&amp;vercut (mm):</source>
        <translation>オーバーカット (mm)(&amp;V):</translation>
    </message>
    <message>
        <source>How far a closed line is cut on past its start (0–50 mm). Open lines get none.</source>
        <translation>閉じた線を始点を越えて切り重ねる長さです (0〜50 mm)。開いた線には付きません。</translation>
    </message>
    <message>
        <source>Trazen Plotter Settings</source>
        <translation>Trazen プロッタ設定</translation>
    </message>
    <message>
        <source>Weeding frame (K margin)</source>
        <translation>カス取り枠 (K マージン)</translation>
    </message>
    <message>
        <source>Cut a weeding frame (&amp;K margin)</source>
        <translation>カス取り枠を使う(&amp;K)</translation>
    </message>
    <message>
        <source>Perforation (Z cut)</source>
        <translation>ミシン目 (Z カット)</translation>
    </message>
    <message>
        <source>Perforate (&amp;Z cut)</source>
        <translation>ミシン目を使う(&amp;Z)</translation>
    </message>
    <message>
        <source>Cut force (FS, grams):</source>
        <translation>カット圧 (FS, g):</translation>
    </message>
    <message>
        <source>The FS value (grams) sent before each cut piece. 0 sends no FS.</source>
        <translation>カットする部分の前に送る FS の値（グラム）です。0 では FS を送りません。</translation>
    </message>
    <message>
        <source>Skip force (FS, grams):</source>
        <translation>スキップ圧 (FS, g):</translation>
    </message>
    <message>
        <source>The FS value (grams) sent before each skip. 0 lifts the pen over the skips.</source>
        <translation>あける部分の前に送る FS の値（グラム）です。0 では、あける部分の上でペンを上げます。</translation>
    </message>
    <message>
        <source>&amp;Plot:</source>
        <translation>プロット(&amp;P):</translation>
    </message>
    <message>
        <source>What the drawing shows: lines hidden under an opaque shape drawn later, and shapes in the paper&apos;s white, are left out (a white pen in the pen table takes white). Every outline: each shape&apos;s outline whole, white ones too, as layered vinyl is cut.</source>
        <translation>図面に見えるとおり: 後から描かれた不透明な図形に隠れた線と、用紙と同じ白の図形は省きます (ペン表に白いペンがあれば白はそのペンで描きます)。すべての輪郭: 各図形の輪郭を白も含めて丸ごと描きます (重ねるカッティングシートの切り抜き向け)。</translation>
    </message>
    <message>
        <source>What the drawing shows</source>
        <translation>図面に見えるとおり</translation>
    </message>
    <message>
        <source>Every outline</source>
        <translation>すべての輪郭</translation>
    </message>
</context>
<context>
    <name>trznPaperModal</name>
    <message>
        <source>Edit Paper List</source>
        <translation>用紙リストの編集</translation>
    </message>
    <message>
        <source>Paper &amp;list:</source>
        <translation>用紙リスト(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>用紙名(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>高さ(&amp;H):</translation>
    </message>
    <message>
        <source>&amp;Unit:</source>
        <translation>単位(&amp;U):</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>インチ</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>ミリメートル</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>ポイント</translation>
    </message>
    <message>
        <source>&amp;Roll paper</source>
        <translation>ロール紙(&amp;R)</translation>
    </message>
    <message>
        <source>Insert before the selected paper</source>
        <translation>選択した用紙の前に追加します</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>追加(&amp;A)</translation>
    </message>
    <message>
        <source>Overwrite the selected paper</source>
        <translation>選択した用紙を書き換えます</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>変更(&amp;E)</translation>
    </message>
    <message>
        <source>Delete the selected paper</source>
        <translation>選択した用紙を削除します</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trznSendModal</name>
    <message>
        <source>Plot with Trazen</source>
        <translation>Trazen でプロット</translation>
    </message>
    <message>
        <source>Destination:</source>
        <translation>送信先:</translation>
    </message>
    <message>
        <source>Port / address:</source>
        <translation>ポート / アドレス:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>進み具合:</translation>
    </message>
    <message>
        <source>Data being sent:</source>
        <translation>送信中のデータ:</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Dark lines have been sent, light lines not yet.</source>
        <translation>濃い線は送信済み、薄い線はまだ送っていない部分です。</translation>
    </message>
    <message>
        <source>Dark lines: sent    Light lines: not yet sent    ○: the pen</source>
        <translation>濃い線: 送信済み&#x3000;&#x3000;薄い線: 未送信&#x3000;&#x3000;○: 現在のペン位置</translation>
    </message>
</context>
</TS>

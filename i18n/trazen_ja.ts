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
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>QObject</name>
    <message>
        <source>Plot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plots an HP-GL file with the destination set in TRZNSerConfig, through TRZNSerSend.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The HP-GL file to plot (.plt, .hpgl, .hpg).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input window x1,y1,x2,y2 for the plot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refuse instead of waiting when a plot is being sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show problems in a window (file managers).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give exactly one HP-GL file to plot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Documents folder can&apos;t be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TRZNSerSend is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another plot is being sent; try again when it has finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the product folder %1 can&apos;t be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TRZNSerSend could not be started</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TRZN_Config</name>
    <message>
        <source>プリセット &quot;%1&quot; はすでに存在します。
現在の設定で置き換えてもよろしいか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プリセット &quot;%1&quot; を完全に削除しますか？</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TRZN_Paper</name>
    <message>
        <source>用紙名</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TRZN_SerSend</name>
    <message>
        <source>送信先: (不明)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書類フォルダが見つからないため、プロットを送れません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>書類フォルダのパスが長すぎるため、プロットを送れません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信中: 0 / %L1 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信の準備をしています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信しました。プロッタの受信完了を待っています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信中: %L1 / %L2 バイト</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有フォルダが設定されていません。設定アプリケーションで送信先の共有フォルダを選んでください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有フォルダにコピーしています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有フォルダにコピーしました: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ネットワークアドレスの設定が長すぎます (%1 バイト、79 バイトまで)。設定を短くしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FTP サーバのアドレスが設定されていません。設定アプリケーションでアドレスを入力してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FTP サーバ %1 に送信しています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FTP サーバ %1 に送信しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止しました。プロッタの受信完了を待っています…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>失敗 (%p% 送信済み)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>失敗</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信できませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シリアルポート %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有フォルダ %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(未設定)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FTP サーバ %1  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信先: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>presetNameModal</name>
    <message>
        <source>プリセットの保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プリセット名(&amp;N):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trznConfigModal</name>
    <message>
        <source>Trazen 出力設定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プリセット(&amp;Y):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プリセットなし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>────────</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前を付けて保存...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出力と回線</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出力先</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出力先(&amp;P):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有フォルダ(&amp;F):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trazen Server の共有フォルダ（UTF-8 で 127 バイトまで）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ネットワークアドレス(&amp;A):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ホスト:フォルダ:ユーザ:パスワード</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート番号(&amp;N):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シリアル回線</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ボーレート(&amp;B):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>300</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>28800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>57600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>データビット(&amp;D):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ストップビット(&amp;T):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>パリティ(&amp;R):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>奇数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>偶数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フロー制御(&amp;W):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XON/XOFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTS/CTS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信データ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プロッタ単位(&amp;U):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平均化(&amp;V):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 以上</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダ(&amp;H):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フッタ(&amp;O):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PD 制限を使う(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PD 制限 A (1〜180):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PD 制限 S (1〜9999):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン番号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>太さ (mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 1(&amp;1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>赤</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>緑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>青</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黄</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>マゼンタ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シアン</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>色なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 2(&amp;2):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 3(&amp;3):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 4(&amp;4):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 5(&amp;5):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 6(&amp;6):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 7(&amp;7):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 8(&amp;8):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 9(&amp;9):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ペン 10(&amp;0):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙と倍率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙(&amp;P):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙リスト(&amp;E)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>寸法の単位(&amp;U):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>インチ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミリメートル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>幅(&amp;W):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>高さ(&amp;H):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ロール紙(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙の向き</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縦(&amp;V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>横（回転）(&amp;Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>倍率とページ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>倍率 (%)(&amp;S):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開始ページ(&amp;F):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了ページ(&amp;L):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余白とロール長</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>単位(&amp;U):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>左</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>右</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カット紙(&amp;C):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ロール紙(&amp;R):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ロール長(&amp;G):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カットとその他</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K マージン</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K マージンを使う(&amp;K)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具番号(&amp;T):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K マージン:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z カット</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z カットを使う(&amp;Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具番号(&amp;O):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カット圧:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スキップ圧:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>カット長:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>スキップ長:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その他</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動分割(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動ペン選択(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線の最適化(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拡張最適化(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>デバッグ(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>並べ替え:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方式 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方式 B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方式 C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漢字(&amp;J):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>アウトライン(&amp;I):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原点(&amp;G):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trznPaperModal</name>
    <message>
        <source>用紙リストの編集</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙リスト(&amp;L):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用紙名(&amp;N):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>幅(&amp;W):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>高さ(&amp;H):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>単位(&amp;U):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>インチ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ミリメートル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ロール紙(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択した用紙の前に追加します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択した用紙を書き換えます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>変更(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>選択した用紙を削除します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trznSendModal</name>
    <message>
        <source>プロット送信</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信先:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ポート / アドレス:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>進み具合:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>送信中のデータ:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

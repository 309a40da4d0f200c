<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>TFolderDelivery</name>
    <message>
        <source>共有フォルダ %1</source>
        <translation>Shared folder %1</translation>
    </message>
    <message>
        <source>(未設定)</source>
        <translation>(not set)</translation>
    </message>
    <message>
        <source>送信の準備をしています…</source>
        <translation>Preparing to send…</translation>
    </message>
    <message>
        <source>共有フォルダが設定されていません。設定アプリケーションで送信先の共有フォルダを選んでください。</source>
        <translation>No shared folder is set. Choose the shared folder to send to in the configuration window.</translation>
    </message>
    <message>
        <source>共有フォルダにコピーしています…</source>
        <translation>Copying to the shared folder…</translation>
    </message>
    <message>
        <source>共有フォルダにコピーしました: %1</source>
        <translation>Copied to the shared folder: %1</translation>
    </message>
    <message>
        <source>送信しました。</source>
        <translation>Sent.</translation>
    </message>
    <message>
        <source>中止しました。共有フォルダにはプロットを残していません。</source>
        <translation>Stopped. Nothing of the plot is left in the shared folder.</translation>
    </message>
</context>
<context>
    <name>TFtpDelivery</name>
    <message>
        <source>FTP サーバ %1  %2</source>
        <translation>FTP server %1  %2</translation>
    </message>
    <message>
        <source>(未設定)</source>
        <translation>(not set)</translation>
    </message>
    <message>
        <source>送信の準備をしています…</source>
        <translation>Preparing to send…</translation>
    </message>
    <message>
        <source>ネットワークアドレスの設定が長すぎます (%1 バイト、79 バイトまで)。設定を短くしてください。</source>
        <translation>The network address is too long (%1 bytes, at most 79). Shorten it in the configuration window.</translation>
    </message>
    <message>
        <source>FTP サーバのアドレスが設定されていません。設定アプリケーションでアドレスを入力してください。</source>
        <translation>No FTP server address is set. Enter the address in the configuration window.</translation>
    </message>
    <message>
        <source>FTP サーバ %1 に送信しています…</source>
        <translation>Sending to FTP server %1…</translation>
    </message>
    <message>
        <source>FTP サーバ %1 に送信しました。</source>
        <translation>Sent to FTP server %1.</translation>
    </message>
    <message>
        <source>送信しました。</source>
        <translation>Sent.</translation>
    </message>
    <message>
        <source>FTP のポート番号 %1 は使えません。1 から 65535 までの番号を入力するか、サーバの標準のポートなら 0 にしてください。</source>
        <translation>The FTP port number %1 can&apos;t be used. Enter a number from 1 to 65535, or 0 for the server&apos;s usual port.</translation>
    </message>
    <message>
        <source>中止しています。FTP サーバ %1 から途中までのプロットを消しています…</source>
        <translation>Stopping. Deleting the part of the plot that reached the FTP server %1…</translation>
    </message>
    <message>
        <source>中止しました。サーバに届いた途中までのプロット %1 は消しました。</source>
        <translation>Stopped. The part of the plot that reached the server, %1, was deleted.</translation>
    </message>
    <message>
        <source>中止しました。サーバに届いた途中までのプロット %1 は、サーバが消させないため残っています。プリントサーバの側で消してください。
サーバの説明: %2</source>
        <translation>Stopped. The part of the plot that reached the server, %1, is still there: the server would not let it be deleted. Delete it on the print server.
The server said: %2</translation>
    </message>
    <message>
        <source>中止しました。サーバには何も届いていません。</source>
        <translation>Stopped. Nothing reached the server.</translation>
    </message>
</context>
<context>
    <name>TMissingDevice</name>
    <message>
        <source>シリアルポート %1 (未接続)</source>
        <translation>serial port %1 (not connected)</translation>
    </message>
    <message>
        <source>%1 はつながっていません。アダプタを差し込むか、Trazen プロッタ設定で別のポートを選んでください。</source>
        <translation>%1 is not connected: plug in the adapter, or choose another port in Trazen Plotter Settings.</translation>
    </message>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
</context>
<context>
    <name>TPlotPreview</name>
    <message>
        <source>このプロットは表示できません（ファイルを開けません）。
送信はそのまま行います。</source>
        <translation>This plot can&apos;t be shown (the file can&apos;t be opened).
It is sent all the same.</translation>
    </message>
    <message>
        <source>このプロットは表示できません（ファイルを読めません）。
送信はそのまま行います。</source>
        <translation>This plot can&apos;t be shown (the file can&apos;t be read).
It is sent all the same.</translation>
    </message>
    <message>
        <source>このプロットは表示できません（HP-GL の線が見つかりません）。
送信はそのまま行います。</source>
        <translation>This plot can&apos;t be shown (no HP-GL lines found).
It is sent all the same.</translation>
    </message>
    <message>
        <source>プレビューを準備しています…</source>
        <translation>Preparing the preview…</translation>
    </message>
    <message>
        <source>プレビューは途中までです（線が多すぎます）。送信はすべて行います。</source>
        <translation>The preview shows only part of the plot (too many lines). The whole plot is sent.</translation>
    </message>
</context>
<context>
    <name>TQueueDelivery</name>
    <message>
        <source>プリンタキュー %1</source>
        <translation>printer queue %1</translation>
    </message>
    <message>
        <source>送信の準備をしています…</source>
        <translation>Preparing to send…</translation>
    </message>
    <message>
        <source>プリンタキュー %1 にプロットを送っています…</source>
        <translation>Sending the plot to printer queue %1…</translation>
    </message>
    <message>
        <source>ジョブ %1</source>
        <translation>Job %1</translation>
    </message>
    <message>
        <source>プリンタキュー %1 にジョブ %2 を送りました。プロッタで終わるのを待っています…</source>
        <translation>Job %2 is on printer queue %1. Waiting for the plotter to finish it…</translation>
    </message>
    <message>
        <source>送信しました。</source>
        <translation>Sent.</translation>
    </message>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>中止しました。ジョブ %1 を取り消しました。</source>
        <translation>Stopped. Job %1 was cancelled.</translation>
    </message>
    <message>
        <source>中止しました。ジョブ %1 を取り消せませんでした: %2</source>
        <translation>Stopped. Job %1 could not be cancelled: %2</translation>
    </message>
</context>
<context>
    <name>TRZN_Config</name>
    <message>
        <source>プリセット &quot;%1&quot; はすでに存在します。
現在の設定で置き換えてもよろしいか？</source>
        <translation>A preset &quot;%1&quot; exists already.
Replace it with the current settings?</translation>
    </message>
    <message>
        <source>プリセット &quot;%1&quot; を完全に削除しますか？</source>
        <translation>Delete the preset &quot;%1&quot; for good?</translation>
    </message>
    <message>
        <source>未設定</source>
        <translation>Not set</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>The settings</translation>
    </message>
    <message>
        <source>続ける</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>%1を %2 に保存できませんでした。</source>
        <translation>%1 could not be saved to %2.</translation>
    </message>
    <message>
        <source>%1を %2 に保存できませんでした: %3</source>
        <translation>%1 could not be saved to %2: %3</translation>
    </message>
    <message>
        <source>設定はまだ保存されていません。ウィンドウに戻ってやり直すか、保存せずに終了できます。</source>
        <translation>The settings are not saved yet. Go back to the window to try again, or quit without saving.</translation>
    </message>
    <message>
        <source>ウィンドウに戻る</source>
        <translation>Back to the window</translation>
    </message>
    <message>
        <source>保存せずに終了</source>
        <translation>Quit without saving</translation>
    </message>
    <message>
        <source>選んだパスは長すぎて使えません（UTF-8 で %1 バイト、%2 バイトまで）。</source>
        <translation>The chosen path is too long to use (%1 bytes in UTF-8, %2 at most).</translation>
    </message>
    <message>
        <source>プリセット &quot;%1&quot;</source>
        <translation>The preset &quot;%1&quot;</translation>
    </message>
    <message>
        <source>再試行</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>パスが長すぎます（UTF-8 で %1 バイト、%2 バイトまで）。</source>
        <translation>The path is too long (%1 bytes in UTF-8, %2 at most).</translation>
    </message>
    <message>
        <source>長すぎます（%1 バイト、%2 バイトまで）。</source>
        <translation>Too long (%1 bytes, %2 at most).</translation>
    </message>
    <message>
        <source>「&quot;」は保存できません。</source>
        <translation>A double quote can&apos;t be stored.</translation>
    </message>
    <message>
        <source>制御文字（U+%1）は保存できません。</source>
        <translation>A control character (U+%1) can&apos;t be stored.</translation>
    </message>
    <message>
        <source>「%1」は Shift-JIS にない文字です。</source>
        <translation>&quot;%1&quot; has no Shift-JIS form.</translation>
    </message>
    <message>
        <source>これ以上入りません（%1 バイトまで）。</source>
        <translation>No more fits (%1 bytes at most).</translation>
    </message>
    <message>
        <source>%1（未接続）</source>
        <translation>%1 (not connected)</translation>
    </message>
    <message>
        <source>%1 はこのコンピュータにつながっていません。アダプタをつなぐか、別の出力先を選んでください。</source>
        <translation>%1 is not connected to this computer: plug in the adapter, or choose another destination.</translation>
    </message>
    <message>
        <source>ユーザ定義</source>
        <translation>User defined</translation>
    </message>
    <message>
        <source>ナイフ補正の設定を保存できません (%1)。前の設定がそのまま残ります。</source>
        <translation>The drag knife settings can&apos;t be saved (%1). The previous ones stay as they were.</translation>
    </message>
    <message>
        <source>ナイフ補正を保存せずに続ける</source>
        <translation>Continue without the knife settings</translation>
    </message>
    <message>
        <source>出力先が選ばれていません。このままでは、プロットをどこにも送れません。「出力と回線」の出力先で、プロッタのポートや送り先を選んでください。</source>
        <translation>No destination is chosen. Plots can't go anywhere like this. Choose the plotter's port or where plots go under Destination on the Output and line tab.</translation>
    </message>
    <message>
        <source>出力先を選ぶ</source>
        <translation>Choose a destination</translation>
    </message>
    <message>
        <source>出力先なしで保存</source>
        <translation>Save without a destination</translation>
    </message>
    <message>
        <source>未選択</source>
        <translation>Not chosen</translation>
    </message>
    <message>
        <source>「%1」をプロットしようとしましたが、プロットの送り先がまだ決まっていません。出力先を選んで OK を押すと、このファイルをプロットします。キャンセルではプロットしません。</source>
        <translation>%1 was to be plotted, but where plots go is not set up yet. Choose the destination and press OK, and the file is plotted. Cancel plots nothing.</translation>
    </message>
    <message>
        <source>共有フォルダが空です。プロットを置くフォルダを選んでください。</source>
        <translation>The shared folder is empty. Choose the folder plots are put in.</translation>
    </message>
    <message>
        <source>アドレスが空です。FTP プリントサーバのホストを入力してください。</source>
        <translation>The address is empty. Type the FTP print server's host.</translation>
    </message>
    <message>
        <source>カス取り枠をカットする工具番号を選んでください。</source>
        <translation>Choose the tool number that cuts the weeding frame.</translation>
    </message>
    <message>
        <source>ミシン目にする工具番号を選んでください。</source>
        <translation>Choose the tool number to perforate.</translation>
    </message>
    <message>
        <source>終了ページ (%1) が開始ページ (%2) より前です。</source>
        <translation>The last page (%1) comes before the first page (%2).</translation>
    </message>
</context>
<context>
    <name>TRZN_PagePreview</name>
    <message>
        <source>用紙の寸法が入力されていません</source>
        <translation>No paper size entered</translation>
    </message>
    <message>
        <source>%1 × %2 %3</source>
        <translation>%1 × %2 %3</translation>
    </message>
    <message>
        <source>%1（ロール紙）</source>
        <translation>%1 (roll paper)</translation>
    </message>
    <message>
        <source>この倍率と用紙ではページを記録できません</source>
        <translation>The page is too large to store at this scale and paper size</translation>
    </message>
    <message>
        <source>余白が大きすぎて印刷範囲がありません</source>
        <translation>The margins are too large: nothing is left to print on</translation>
    </message>
    <message>
        <source>印刷範囲 %1 × %2 %3（倍率 %4%）</source>
        <translation>Printable area %1 × %2 %3 (scale %4%)</translation>
    </message>
    <message>
        <source>橙の枠の内側の線には、カス取り枠が全周切られます</source>
        <translation>Lines inside the orange frame get their weeding frame all round</translation>
    </message>
</context>
<context>
    <name>TRZN_Paper</name>
    <message>
        <source>用紙名</source>
        <translation>Paper Name</translation>
    </message>
</context>
<context>
    <name>TRZN_PresetName</name>
    <message>
        <source>名前を入力してください。</source>
        <translation>Enter a name.</translation>
    </message>
    <message>
        <source>「.」と「..」はプリセット名にできません。</source>
        <translation>&quot;.&quot; and &quot;..&quot; can&apos;t be preset names.</translation>
    </message>
    <message>
        <source>「/」はプリセット名に使えません。</source>
        <translation>&quot;/&quot; can&apos;t be used in a preset name.</translation>
    </message>
    <message>
        <source>制御文字はプリセット名に使えません。</source>
        <translation>Control characters can&apos;t be used in a preset name.</translation>
    </message>
    <message>
        <source>「&quot;」はプリセット名に使えません。</source>
        <translation>A double quote can&apos;t be used in a preset name.</translation>
    </message>
    <message>
        <source>「%1」は Shift-JIS にない文字なのでプリセット名に使えません。</source>
        <translation>&quot;%1&quot; has no Shift-JIS form, so it can&apos;t be used in a preset name.</translation>
    </message>
    <message>
        <source>この名前はファイル名にできません。</source>
        <translation>This name can&apos;t be a file name.</translation>
    </message>
    <message>
        <source>「.ini」や「.INI」を含む名前はプリセット名にできません。</source>
        <translation>A preset name can&apos;t contain &quot;.ini&quot; or &quot;.INI&quot;.</translation>
    </message>
    <message>
        <source>名前が長すぎます（Shift-JIS で %1 バイトまで）。</source>
        <translation>The name is too long (%1 bytes in Shift-JIS at most).</translation>
    </message>
</context>
<context>
    <name>TRZN_SerSend</name>
    <message>
        <source>送信先: (不明)</source>
        <translation>Destination: (unknown)</translation>
    </message>
    <message>
        <source>書類フォルダが見つからないため、プロットを送れません。</source>
        <translation>The plot can&apos;t be sent: the Documents folder can&apos;t be found.</translation>
    </message>
    <message>
        <source>書類フォルダのパスが長すぎるため、プロットを送れません。</source>
        <translation>The plot can&apos;t be sent: the path of the Documents folder is too long.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>送信中: %L1 / %L2 バイト</source>
        <translation>Sending: %L1 / %L2 bytes</translation>
    </message>
    <message>
        <source>失敗 (%p% 送信済み)</source>
        <translation>Failed (%p% sent)</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>送信できませんでした。</source>
        <translation>The plot could not be sent.</translation>
    </message>
    <message>
        <source>送信先: %1</source>
        <translation>Destination: %1</translation>
    </message>
    <message>
        <source>このユーザーにはシリアルポートを使う権限がありません。ユーザーを dialout グループに加え (sudo adduser $USER dialout)、ログアウトしてから再度ログインしてください。</source>
        <translation>This user may not use serial ports. Add the user to the dialout group (sudo adduser $USER dialout), then log out and log in again.</translation>
    </message>
    <message>
        <source>ポートが見つかりません。プロッタのケーブルや USB アダプタがつながっているか確かめ、設定でポートを選び直してください。</source>
        <translation>The port can&apos;t be found. Check that the plotter&apos;s cable or USB adapter is connected, then choose the port again in the configuration window.</translation>
    </message>
    <message>
        <source>ほかのプログラムがこのポートを使っています。そのプログラムを終了してから送り直してください。</source>
        <translation>Another program is using this port. Quit that program, then send again.</translation>
    </message>
    <message>
        <source>シリアルポートではありません。設定でポートを選び直してください。</source>
        <translation>This is not a serial port. Choose the port again in the configuration window.</translation>
    </message>
    <message>
        <source>システムの説明: %1</source>
        <translation>System message: %1</translation>
    </message>
    <message>
        <source>シリアルポート %1 を開けませんでした。</source>
        <translation>Serial port %1 could not be opened.</translation>
    </message>
    <message>
        <source>回線が切れました。ケーブルや USB アダプタが抜けていないか確かめてから送り直してください。</source>
        <translation>The line was cut. Check that the cable or USB adapter is still plugged in, then send again.</translation>
    </message>
    <message>
        <source>シリアルポート %1 への送信が途中で失敗しました。</source>
        <translation>Sending to serial port %1 failed partway.</translation>
    </message>
    <message>
        <source>送るプロットデータ (Trazen.tmp) がありません。イラストレーションプログラムから出力し直してください。</source>
        <translation>There is no plot data to send (Trazen.tmp). Plot again from the illustration program.</translation>
    </message>
    <message>
        <source>共有フォルダに同じ時刻のファイルが多すぎるため、コピーできませんでした。少し待ってから送り直してください。</source>
        <translation>The shared folder has too many files with the same time stamp, so the plot could not be copied. Wait a moment, then send again.</translation>
    </message>
    <message>
        <source>共有フォルダにコピーできませんでした (%1)。
フォルダがあり、書き込めるか (サーバにつながっているか) 確かめてください。システムの説明: %2</source>
        <translation>Could not copy to the shared folder (%1).
Check that the folder exists and can be written to (that the server is connected). System message: %2</translation>
    </message>
    <message>
        <source>共有フォルダへのコピーに失敗しました (%1)。システムの説明: %2</source>
        <translation>Copying to the shared folder failed (%1). System message: %2</translation>
    </message>
    <message>
        <source>FTP サーバ %1 への送信に失敗しました。</source>
        <translation>Sending to FTP server %1 failed.</translation>
    </message>
    <message>
        <source>サーバにつながりません。サーバの電源とネットワーク、設定のアドレスを確かめてください。</source>
        <translation>Can&apos;t connect to the server. Check the server&apos;s power and network, and the address in the configuration window.</translation>
    </message>
    <message>
        <source>ユーザー名またはパスワードが違います。設定を確かめてください。</source>
        <translation>Wrong user name or password. Check the configuration window.</translation>
    </message>
    <message>
        <source>サーバに指定のフォルダがありません。設定のフォルダ名を確かめてください。</source>
        <translation>The server has no such folder. Check the folder name in the configuration window.</translation>
    </message>
    <message>
        <source>サーバが時間内に応答しませんでした。</source>
        <translation>The server did not answer in time.</translation>
    </message>
    <message>
        <source>詳しい説明: %1</source>
        <translation>Details: %1</translation>
    </message>
    <message>
        <source>プロットデータ %1 を読めませんでした。</source>
        <translation>The plot data %1 could not be read.</translation>
    </message>
    <message>
        <source>薄い線: 送信前のプロット&#x3000;&#x3000;濃い線: 送信を終えたプロット</source>
        <translation>Light lines: the plot before sending    Dark lines: the plot once sent</translation>
    </message>
    <message>
        <source>ディスクがいっぱいです。不要なファイルを消して空きを作ってから、イラストレーションプログラムから出力し直してください。</source>
        <translation>The disk is full. Delete files you no longer need to make room, then output the plot again from the illustration program.</translation>
    </message>
    <message>
        <source>ファイルのあるべき所に同じ名前のフォルダがあります。そのフォルダを移すか名前を変えてから出力し直してください。</source>
        <translation>A folder of the same name stands where the file should be. Move or rename that folder, then output the plot again.</translation>
    </message>
    <message>
        <source>書き込みが許されていません。フォルダとファイルの権限を確かめてください。システムの説明: %1</source>
        <translation>Writing is not permitted. Check the permissions of the folder and the file. System message: %1</translation>
    </message>
    <message>
        <source>送るプロットデータ (Trazen.tmp) を作れませんでした。前回のプロットを送らないよう、送信をやめました。</source>
        <translation>The plot data to send (Trazen.tmp) could not be created. Sending was stopped so that the previous plot is not sent again.</translation>
    </message>
    <message>
        <source>イラストレーションプログラムが書き出したプロット (Trazen Prefs) を読めませんでした。</source>
        <translation>The plot written by the illustration program (Trazen Prefs) could not be read.</translation>
    </message>
    <message>
        <source>送るプロットデータ (Trazen.tmp) を最後まで書けませんでした。</source>
        <translation>The plot data to send (Trazen.tmp) could not be written completely.</translation>
    </message>
    <message>
        <source>プロットを送る準備ができませんでした。</source>
        <translation>The plot could not be prepared for sending.</translation>
    </message>
    <message>
        <source>フォルダ: %1</source>
        <translation>Folder: %1</translation>
    </message>
    <message>
        <source>CUPS の説明: %1</source>
        <translation>CUPS says: %1</translation>
    </message>
    <message>
        <source>CUPS サーバにつながりません。CUPS が動いているか (このマシンか、CUPS_SERVER や client.conf に書かれたサーバ)、ネットワークを確かめてください。</source>
        <translation>The CUPS server can&apos;t be reached. Check that CUPS is running (on this machine, or the server named by CUPS_SERVER or client.conf) and the network.</translation>
    </message>
    <message>
        <source>このプリンタキューはサーバにありません。設定で送信先を選び直してください。</source>
        <translation>The server has no such printer queue. Choose the destination again in the settings.</translation>
    </message>
    <message>
        <source>サーバがジョブを受け付けませんでした (キューが受付を止めているか、権限がありません)。</source>
        <translation>The server did not accept the job (the queue is not accepting jobs, or you are not allowed to print to it).</translation>
    </message>
    <message>
        <source>ジョブのデータを送り終える前にサーバとの接続が切れました。</source>
        <translation>The connection to the server broke before the job&apos;s data had all gone.</translation>
    </message>
    <message>
        <source>プリンタキュー %1 に送れませんでした。</source>
        <translation>The plot could not be sent to the printer queue %1.</translation>
    </message>
    <message>
        <source>CUPS サーバにつながらなくなり、ジョブ %1 (%2) の終わりを確かめられません。</source>
        <translation>The CUPS server can no longer be reached; whether job %1 (%2) finished can&apos;t be told.</translation>
    </message>
    <message>
        <source>ジョブ %1 (%2) はサーバで中断されました。プロッタに全部は届いていません。</source>
        <translation>Job %1 (%2) was aborted on the server. The plotter did not get all of it.</translation>
    </message>
    <message>
        <source>ジョブ %1 (%2) はサーバで取り消されました。</source>
        <translation>Job %1 (%2) was cancelled on the server.</translation>
    </message>
    <message>
        <source>ジョブ %1 (%2) はサーバで止められました。</source>
        <translation>Job %1 (%2) was stopped on the server.</translation>
    </message>
    <message>
        <source>ジョブ %1 (%2) がサーバから消えました (キューが削除されたかもしれません)。</source>
        <translation>Job %1 (%2) is gone from the server (the queue may have been deleted).</translation>
    </message>
    <message>
        <source>プリンタキュー %1 のジョブ %2 をプロッタに送っています…</source>
        <translation>Printer queue %1 is sending job %2 to the plotter…</translation>
    </message>
    <message>
        <source>プリンタキュー %1 のジョブ %2 は保留されています。</source>
        <translation>Job %2 on printer queue %1 is held.</translation>
    </message>
    <message>
        <source>プリンタキュー %1 のジョブ %2 は順番を待っています。</source>
        <translation>Job %2 on printer queue %1 is waiting its turn.</translation>
    </message>
    <message>
        <source>名前付きパイプやデバイスなど、普通のファイルでないものは読みません。それを取り除いてから出力し直してください。</source>
        <translation>Named pipes, devices and other things that are not plain files are not read. Remove it, then output the plot again.</translation>
    </message>
    <message>
        <source>イラストレーションプログラムが書き出した %1 は普通のファイルではありません。</source>
        <translation>The %1 written by the illustration program is not a plain file.</translation>
    </message>
    <message>
        <source>送信の結果を設定ファイルに記録できませんでした。イラストレーションプログラムには送信の終わりが伝わりません。ディスクの空きとファイルの権限を確かめてください。</source>
        <translation>The result of the delivery could not be recorded in the settings file, so the illustration program will not learn how it ended. Check the free disk space and the file&apos;s permissions.</translation>
    </message>
    <message>
        <source>ファイル: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>送信先: (待機中)</source>
        <translation>Destination: (waiting)</translation>
    </message>
    <message>
        <source>別のプロットを送信しています。それが終わりしだい、このプロットを送ります…</source>
        <translation>Another plot is being sent. This plot goes out as soon as it has finished…</translation>
    </message>
    <message>
        <source>プロットは送りましたが、その結果を記録できませんでした。</source>
        <translation>The plot was delivered, but its result could not be recorded.</translation>
    </message>
    <message>
        <source>プロットされない部分:</source>
        <translation>Not plotted:</translation>
    </message>
    <message>
        <source>シリアルポート %1 のプロッタが問い合わせ (%2) に、数ではない答え「%3」を返しました。</source>
        <translation>The plotter on serial port %1 answered the query (%2) with “%3”, which is not a number.</translation>
    </message>
    <message>
        <source>シリアルポート %1 のプロッタが問い合わせ (%2) に 2 秒たっても答えませんでした。</source>
        <translation>The plotter on serial port %1 did not answer the query (%2) within 2 seconds.</translation>
    </message>
    <message>
        <source>プロットは送り終えましたが、描き終えたかは確かめられませんでした。</source>
        <translation> The whole plot was sent, but whether it has been drawn could not be confirmed.</translation>
    </message>
    <message>
        <source>送ったのは %L1 / %L2 バイトまでです。</source>
        <translation> %L1 of %L2 bytes had been sent.</translation>
    </message>
    <message>
        <source>フロー制御「プロッタのバッファ (ESC.B)」は問い合わせに答えるプロッタのためのものです。設定でフロー制御を「RTS/CTS」(ハンドシェーク線のあるケーブル) か「XON/XOFF」に変えて送り直してください。</source>
        <translation>The flow control “Plotter buffer (ESC.B)” is for plotters that answer queries. In the settings, choose “RTS/CTS” (with a cable that has handshake lines) or “XON/XOFF” as the flow control and send again.</translation>
    </message>
    <message>
        <source>停止しています…</source>
        <translation>Stopping…</translation>
    </message>
</context>
<context>
    <name>TSerialDelivery</name>
    <message>
        <source>シリアルポート %1</source>
        <translation>Serial port %1</translation>
    </message>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>中止しました。プロッタには何も送っていません。</source>
        <translation>Stopped. Nothing was sent to the plotter.</translation>
    </message>
    <message>
        <source>送信しました。プロッタの受信完了を待っています…</source>
        <translation>Sent. Waiting for the plotter to take everything in…</translation>
    </message>
    <message>
        <source>送信しました。プロッタが受け取った分を描いています…</source>
        <translation>Sent. The plotter is drawing what it holds…</translation>
    </message>
    <message>
        <source>中止しました。プロッタは受け取った分を捨て、ペンを上げて止まります。</source>
        <translation>Stopped. The plotter drops what it holds, lifts the pen and stops.</translation>
    </message>
    <message>
        <source>中止しました。プロッタは受け取った分を描き終えると、ペンを上げて止まります。</source>
        <translation>Stopped. The plotter draws what it has taken in, then lifts the pen and stops.</translation>
    </message>
    <message>
        <source>プロッタが受け取り終えるのを待っています…</source>
        <translation>Waiting for the plotter to take in what was sent…</translation>
    </message>
    <message>
        <source>プロッタが描き終えました。</source>
        <translation>Plotted.</translation>
    </message>
</context>
<context>
    <name>TUnsetDestination</name>
    <message>
        <source>(未設定)</source>
        <translation>(not set)</translation>
    </message>
    <message>
        <source>プロッタはまだ設定されていません。Trazen プロッタ設定で送信先を選んでから、もう一度プロットしてください。</source>
        <translation>The plotter is not set up yet: choose where plots go in Trazen Plotter Settings, then plot again.</translation>
    </message>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
</context>
<context>
    <name>presetNameModal</name>
    <message>
        <source>プリセットの保存</source>
        <translation>Save Preset</translation>
    </message>
    <message>
        <source>プリセット名(&amp;N):</source>
        <translation>Preset &amp;name:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trznConfigModal</name>
    <message>
        <source>プリセット(&amp;Y):</source>
        <translation>Pr&amp;eset:</translation>
    </message>
    <message>
        <source>プリセットなし</source>
        <translation>No preset</translation>
    </message>
    <message>
        <source>────────</source>
        <translation>────────</translation>
    </message>
    <message>
        <source>名前を付けて保存...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>出力と回線</source>
        <translation>Output and Line</translation>
    </message>
    <message>
        <source>出力先</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>出力先(&amp;P):</source>
        <translation>&amp;Destination:</translation>
    </message>
    <message>
        <source>共有フォルダ(&amp;F):</source>
        <translation>Shared &amp;folder:</translation>
    </message>
    <message>
        <source>選択(&amp;S)...</source>
        <translation>&amp;Choose...</translation>
    </message>
    <message>
        <source>ネットワークアドレス(&amp;A):</source>
        <translation>Network &amp;address:</translation>
    </message>
    <message>
        <source>ポート番号(&amp;N):</source>
        <translation>Port &amp;number:</translation>
    </message>
    <message>
        <source>シリアル回線</source>
        <translation>Serial Line</translation>
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
        <source>データビット(&amp;D):</source>
        <translation>Da&amp;ta bits:</translation>
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
        <source>ストップビット(&amp;T):</source>
        <translation>&amp;Stop bits:</translation>
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
        <source>パリティ(&amp;R):</source>
        <translation>Pa&amp;rity:</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇数</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶数</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>フロー制御(&amp;W):</source>
        <translation>Flo&amp;w control:</translation>
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
        <source>送信データ</source>
        <translation>Plot Data</translation>
    </message>
    <message>
        <source>平均化(&amp;V):</source>
        <translation>A&amp;veraging:</translation>
    </message>
    <message>
        <source>ヘッダ(&amp;H):</source>
        <translation>&amp;Header:</translation>
    </message>
    <message>
        <source>フッタ(&amp;O):</source>
        <translation>F&amp;ooter:</translation>
    </message>
    <message>
        <source>PD 制限を使う(&amp;L)</source>
        <translation>Use PD &amp;limit</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>Pens</translation>
    </message>
    <message>
        <source>ペン番号</source>
        <translation>Pen number</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>ペン 1(&amp;1):</source>
        <translation>Pen &amp;1:</translation>
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
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>マゼンタ</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>シアン</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>色なし</source>
        <translation>No color</translation>
    </message>
    <message>
        <source>ペン 2(&amp;2):</source>
        <translation>Pen &amp;2:</translation>
    </message>
    <message>
        <source>ペン 3(&amp;3):</source>
        <translation>Pen &amp;3:</translation>
    </message>
    <message>
        <source>ペン 4(&amp;4):</source>
        <translation>Pen &amp;4:</translation>
    </message>
    <message>
        <source>ペン 5(&amp;5):</source>
        <translation>Pen &amp;5:</translation>
    </message>
    <message>
        <source>ペン 6(&amp;6):</source>
        <translation>Pen &amp;6:</translation>
    </message>
    <message>
        <source>ペン 7(&amp;7):</source>
        <translation>Pen &amp;7:</translation>
    </message>
    <message>
        <source>ペン 8(&amp;8):</source>
        <translation>Pen &amp;8:</translation>
    </message>
    <message>
        <source>ペン 9(&amp;9):</source>
        <translation>Pen &amp;9:</translation>
    </message>
    <message>
        <source>ペン 10(&amp;0):</source>
        <translation>Pen 1&amp;0:</translation>
    </message>
    <message>
        <source>用紙と倍率</source>
        <translation>Paper and Scale</translation>
    </message>
    <message>
        <source>用紙</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>用紙(&amp;P):</source>
        <translation>&amp;Paper:</translation>
    </message>
    <message>
        <source>用紙リスト(&amp;E)...</source>
        <translation>Paper l&amp;ist...</translation>
    </message>
    <message>
        <source>寸法の単位(&amp;U):</source>
        <translation>Size &amp;unit:</translation>
    </message>
    <message>
        <source>インチ</source>
        <translation>Inches</translation>
    </message>
    <message>
        <source>ミリメートル</source>
        <translation>Millimeters</translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>幅(&amp;W):</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>高さ(&amp;H):</source>
        <translation>&amp;Height:</translation>
    </message>
    <message>
        <source>ロール紙(&amp;R)</source>
        <translation>&amp;Roll paper</translation>
    </message>
    <message>
        <source>用紙の向き</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>縦(&amp;V)</source>
        <translation>P&amp;ortrait</translation>
    </message>
    <message>
        <source>横（回転）(&amp;Z)</source>
        <translation>&amp;Landscape (rotated)</translation>
    </message>
    <message>
        <source>倍率とページ</source>
        <translation>Scale and Pages</translation>
    </message>
    <message>
        <source>倍率 (%)(&amp;S):</source>
        <translation>&amp;Scale (%):</translation>
    </message>
    <message>
        <source>開始ページ(&amp;F):</source>
        <translation>&amp;First page:</translation>
    </message>
    <message>
        <source>終了ページ(&amp;L):</source>
        <translation>Las&amp;t page:</translation>
    </message>
    <message>
        <source>余白</source>
        <translation>Margins</translation>
    </message>
    <message>
        <source>余白とロール長</source>
        <translation>Margins and Roll Length</translation>
    </message>
    <message>
        <source>単位(&amp;U):</source>
        <translation>&amp;Unit:</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>カット紙(&amp;C):</source>
        <translation>&amp;Cut sheet:</translation>
    </message>
    <message>
        <source>ロール紙(&amp;R):</source>
        <translation>&amp;Roll paper:</translation>
    </message>
    <message>
        <source>ロール長(&amp;G):</source>
        <translation>Roll len&amp;gth:</translation>
    </message>
    <message>
        <source>カットとその他</source>
        <translation>Cutting and Options</translation>
    </message>
    <message>
        <source>工具番号(&amp;T):</source>
        <translation>&amp;Tool number:</translation>
    </message>
    <message>
        <source>K マージン:</source>
        <translation>K margin:</translation>
    </message>
    <message>
        <source>工具番号(&amp;O):</source>
        <translation>T&amp;ool number:</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>自動分割(&amp;A)</source>
        <translation>&amp;Auto split</translation>
    </message>
    <message>
        <source>自動ペン選択(&amp;N)</source>
        <translation>Auto pe&amp;n selection</translation>
    </message>
    <message>
        <source>線の最適化(&amp;L)</source>
        <translation>Optimize &amp;lines</translation>
    </message>
    <message>
        <source>拡張最適化(&amp;X)</source>
        <translation>E&amp;xtended optimization</translation>
    </message>
    <message>
        <source>デバッグ(&amp;D)</source>
        <translation>&amp;Debug</translation>
    </message>
    <message>
        <source>並べ替え:</source>
        <translation>Sort order:</translation>
    </message>
    <message>
        <source>方式 A</source>
        <translation>Method A</translation>
    </message>
    <message>
        <source>方式 B</source>
        <translation>Method B</translation>
    </message>
    <message>
        <source>方式 C</source>
        <translation>Method C</translation>
    </message>
    <message>
        <source>漢字(&amp;J):</source>
        <translation>Kan&amp;ji:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>アウトライン(&amp;I):</source>
        <translation>Outl&amp;ine:</translation>
    </message>
    <message>
        <source>原点(&amp;G):</source>
        <translation>Ori&amp;gin:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>1.5 (1 で送信)</source>
        <translation>1.5 (sent as 1)</translation>
    </message>
    <message>
        <source>14 (0 で保存、次回は 13)</source>
        <translation>14 (stored as 0, shown as 13 next time)</translation>
    </message>
    <message>
        <source>プロッタのバッファ (ESC.B)</source>
        <translation>Plotter buffer (ESC.B)</translation>
    </message>
    <message>
        <source>問い合わせ (ESC.B, ESC.O) に答える HP-GL ペンプロッタ用です。プロッタのバッファの空きに合わせて送り、描き終えてから完了とし、中止でペンをすぐ止めます。回線のハンドシェークは使いません。答えないプロッタでは送信が失敗します。</source>
        <translation>For HP-GL pen plotters that answer queries (ESC.B, ESC.O): sends as much as the plotter&apos;s buffer has room for, counts as done once the plotter has drawn everything, and Stop halts the pen at once. The line&apos;s handshake is not used. With a plotter that does not answer, sending fails.</translation>
    </message>
    <message>
        <source>保存した設定の組です。選ぶと、その設定がこの窓に入ります。</source>
        <translation>Saved sets of settings: choosing one fills this window with it.</translation>
    </message>
    <message>
        <source>プロットの送り先: シリアルポート、共有フォルダ、FTP プリントサーバ、CUPS のプリンタキュー。選んだ送り先の欄だけが使えます。</source>
        <translation>Where plots go: a serial port, the shared folder, an FTP print server or a CUPS printer queue. Only the fields of the destination chosen can be edited.</translation>
    </message>
    <message>
        <source>プロットを置く Trazen Server の共有フォルダ（UTF-8 で 127 バイトまで）</source>
        <translation>The Trazen Server&apos;s shared folder that plots are put in (up to 127 bytes in UTF-8)</translation>
    </message>
    <message>
        <source>共有フォルダを選びます。</source>
        <translation>Choose the shared folder.</translation>
    </message>
    <message>
        <source>FTP プリントサーバ: ホスト:フォルダ:ユーザ:パスワード（フォルダ、ユーザ、パスワードは空でもかまいません）。パスワードは、この欄を編集している間だけ見えます。</source>
        <translation>The FTP print server: host:folder:user:password (folder, user and password may stay empty). The password shows only while you edit this field.</translation>
    </message>
    <message>
        <source>FTP サーバのポート番号。0 はサーバの通常のポート (21) です。</source>
        <translation>The FTP server&apos;s port number; 0 for the server&apos;s usual port (21).</translation>
    </message>
    <message>
        <source>ボーレート (bit/s)(&amp;B):</source>
        <translation>&amp;Baud rate (bit/s):</translation>
    </message>
    <message>
        <source>回線の速さ（ビット/秒）。プロッタの設定と同じにします。</source>
        <translation>The line&apos;s speed in bits per second, as the plotter is set.</translation>
    </message>
    <message>
        <source>1 文字のデータビット数。プロッタの設定と同じにします。</source>
        <translation>Data bits per character, as the plotter is set.</translation>
    </message>
    <message>
        <source>ストップビット数。プロッタの設定と同じにします。</source>
        <translation>Stop bits, as the plotter is set.</translation>
    </message>
    <message>
        <source>パリティ。プロッタの設定と同じにします。</source>
        <translation>Parity, as the plotter is set.</translation>
    </message>
    <message>
        <source>プロッタが受け取れない間、送信を待たせる方法: RTS/CTS（ハンドシェーク線のあるケーブル）、XON/XOFF、またはプロッタのバッファへの問い合わせ。</source>
        <translation>How the plotter holds the sending back while it can&apos;t take more: RTS/CTS (a cable with handshake wires), XON/XOFF, or asking the plotter about its buffer.</translation>
    </message>
    <message>
        <source>描画プログラムのプラグインが使う値です。入力したまま保存され、trzn-plot のプロットには使われません。</source>
        <translation>A value for the drawing program&apos;s plug-in: stored as typed; trzn-plot&apos;s plots do not use it.</translation>
    </message>
    <message>
        <source>1 以上。描画プログラムのプラグインが使う値です。入力したまま保存され、trzn-plot のプロットには使われません。</source>
        <translation>1 or more. A value for the drawing program&apos;s plug-in: stored as typed; trzn-plot&apos;s plots do not use it.</translation>
    </message>
    <message>
        <source>太さ＝塗りの線間隔 (mm)</source>
        <translation>Width = fill line spacing (mm)</translation>
    </message>
    <message>
        <source>プロットがこのペンを選ぶ番号 (SP) です。プロッタのペン（ツール）の番号にします。</source>
        <translation>The number the plot selects this pen with (SP): the plotter&apos;s pen (tool) number.</translation>
    </message>
    <message>
        <source>ペンの色。自動ペン選択では、図形の色にいちばん近い色のペンで描きます。</source>
        <translation>The pen&apos;s colour: with automatic pen selection each shape is drawn with the pen nearest its colour.</translation>
    </message>
    <message>
        <source>塗りつぶしはこの間隔の平行線で塗られ、ペンの 1.5 倍より太い線は輪郭の内側が塗られます。0 は輪郭だけを描きます（ナイフ、太さを測っていないペン）。</source>
        <translation>Fills are hatched with parallel lines this far apart, and strokes wider than 1.5 times the pen are filled inside their outline. 0 draws outlines only (a knife, or a pen not measured).</translation>
    </message>
    <message>
        <source>用紙リストの用紙。その幅、高さ、ロール紙かどうかが下の欄に入ります。</source>
        <translation>A paper of your paper list: its width, height and roll flag fill the fields below.</translation>
    </message>
    <message>
        <source>用紙リストを編集します。</source>
        <translation>Edit the paper list.</translation>
    </message>
    <message>
        <source>幅と高さの単位</source>
        <translation>The unit of the width and height</translation>
    </message>
    <message>
        <source>プロッタに置いた向きでの用紙の幅</source>
        <translation>The paper&apos;s width, as it lies in the plotter</translation>
    </message>
    <message>
        <source>用紙の高さ（ロール紙では送る方向の長さ）</source>
        <translation>The paper&apos;s height (on a roll, its length along the feed)</translation>
    </message>
    <message>
        <source>ロール紙: ロール紙の余白を使い、ロール長で分割や切り取りができます。</source>
        <translation>Roll paper: the roll margins apply, and a drawing can be cut at the roll length.</translation>
    </message>
    <message>
        <source>ページを用紙のとおりに置きます。</source>
        <translation>The page lies upright on the paper.</translation>
    </message>
    <message>
        <source>ページを用紙の上に 90 度回して置きます（ページの上が用紙の左辺）。</source>
        <translation>The page lies a quarter turn on the paper (its top along the paper&apos;s left edge).</translation>
    </message>
    <message>
        <source>図面を描く大きさ（パーセント、100 で原寸）</source>
        <translation>The size the drawing is plotted at, in percent (100: real size)</translation>
    </message>
    <message>
        <source>プロットする最初のページ（文書のページ、またはロール紙の分割）</source>
        <translation>The first page plotted (a document&apos;s page, or a panel along the roll)</translation>
    </message>
    <message>
        <source>プロットする最後のページ。9999 ですべてです。</source>
        <translation>The last page plotted; 9999 for all.</translation>
    </message>
    <message>
        <source>余白とロール長の単位</source>
        <translation>The unit of the margins and the roll length</translation>
    </message>
    <message>
        <source>カット紙の余白。図面はその内側の印刷範囲に置かれます。</source>
        <translation>A cut sheet&apos;s margin: the drawing lands on the printable area inside the margins.</translation>
    </message>
    <message>
        <source>ロール紙の余白。図面はその内側の印刷範囲に置かれます。</source>
        <translation>A roll&apos;s margin: the drawing lands on the printable area inside the margins.</translation>
    </message>
    <message>
        <source>ロール紙のプロットをこの長さごとに分割（自動分割）するか、ここで切り取ります。0 はなしです。</source>
        <translation>A plot on roll paper is cut into panels this long (Auto split) or clipped here; 0 for none.</translation>
    </message>
    <message>
        <source>ロール長より長い図面を、ロール長ごとのプロットに分けて順に送ります。</source>
        <translation>A drawing longer than the roll length is cut into panels of that length, sent one after another.</translation>
    </message>
    <message>
        <source>図形ごとに、色のいちばん近いペンで描きます。オフではすべてペン 1 です。</source>
        <translation>Each shape with the pen nearest its colour; off, everything with pen 1.</translation>
    </message>
    <message>
        <source>ペンを上げて動く距離が短くなるように線を並べます。オフでは図面の順です。</source>
        <translation>Orders the lines to shorten the pen-up travel; off, in the drawing&apos;s order.</translation>
    </message>
    <message>
        <source>2 度描かれる線を 1 度にし、端の接する線をつなぎます。</source>
        <translation>Lines drawn twice are drawn once, and lines whose ends meet are joined.</translation>
    </message>
    <message>
        <source>線の最適化のとおりの順に描きます。</source>
        <translation>In the order line optimisation gives.</translation>
    </message>
    <message>
        <source>閉じた図形の内側にある図形を先に描きます（文字の穴を文字より先に）。</source>
        <translation>Shapes inside a closed shape first (letters&apos; counters before the letters).</translation>
    </message>
    <message>
        <source>用紙の長さ方向に 25 mm の帯ごとに描きます。</source>
        <translation>Band after band, 25 mm deep, along the paper&apos;s length.</translation>
    </message>
    <message>
        <source>プロッタが 1 インチを何ステップで動くか (100〜10000)。0 と 1016 (0.025 mm) では座標をそのまま送り、ほかの値ではその単位に換算します。</source>
        <translation>How many steps the plotter moves per inch (100–10000). 0 and 1016 (0.025 mm) send the coordinates as they are; any other value converts them to that step.</translation>
    </message>
    <message>
        <source>各プロットの最初に、入力したとおり送る装置コマンドです。\e (エスケープ)、\r、\n、\\、\xNN はそのバイトになります。</source>
        <translation>Device commands sent as typed at the start of every plot. \e (escape), \r, \n, \\ and \xNN become their byte.</translation>
    </message>
    <message>
        <source>各プロットの最後に、入力したとおり送る装置コマンドです。\e (エスケープ)、\r、\n、\\、\xNN はそのバイトになります。</source>
        <translation>Device commands sent as typed at the end of every plot. \e (escape), \r, \n, \\ and \xNN become their byte.</translation>
    </message>
    <message>
        <source>オンでは、どの PD 命令も A 組より多くの座標を持たず、S バイトより長くなりません。点とペンの上げ下ろしは変わりません。</source>
        <translation>When on, no PD instruction holds more than A coordinate pairs or more than S bytes. The points and the pen lifts stay the same.</translation>
    </message>
    <message>
        <source>1 つの PD 命令に入れる座標の組の最大数です。</source>
        <translation>The most coordinate pairs in one PD instruction.</translation>
    </message>
    <message>
        <source>1 つの PD 命令の最大バイト数です (PD と ; を含みます)。</source>
        <translation>The most bytes in one PD instruction (counting &quot;PD&quot; and &quot;;&quot;).</translation>
    </message>
    <message>
        <source>オンでは、各プロットの最後に、ほかの線すべてを囲む長方形 (カス取り枠) を工具番号のペンでカットします。</source>
        <translation>When on, every plot ends with a rectangle around all its other lines (a weeding frame), cut with the tool number&apos;s pen.</translation>
    </message>
    <message>
        <source>カス取り枠をカットするペン番号 (SP) です。</source>
        <translation>The pen number (SP) that cuts the weeding frame.</translation>
    </message>
    <message>
        <source>K マージンの長さの単位です。</source>
        <translation>The unit of the K margins.</translation>
    </message>
    <message>
        <source>カス取り枠を線の範囲から上 (プロッタの原点から遠い側) にどれだけ離すか。</source>
        <translation>How far the weeding frame lies above the lines (away from the plotter&apos;s origin).</translation>
    </message>
    <message>
        <source>カス取り枠を線の範囲から左にどれだけ離すか。</source>
        <translation>How far the weeding frame lies left of the lines.</translation>
    </message>
    <message>
        <source>カス取り枠を線の範囲から下 (プロッタの原点の側) にどれだけ離すか。</source>
        <translation>How far the weeding frame lies below the lines (towards the plotter&apos;s origin).</translation>
    </message>
    <message>
        <source>カス取り枠を線の範囲から右にどれだけ離すか。</source>
        <translation>How far the weeding frame lies right of the lines.</translation>
    </message>
    <message>
        <source>オンでは、工具番号のペンの線を、カット長ずつ、スキップ長をあけて切ります (ミシン目)。</source>
        <translation>When on, the lines of the tool number&apos;s pen are cut in pieces of the cut length with the skip length left between (perforation).</translation>
    </message>
    <message>
        <source>ミシン目にするペン番号 (ペン選択のあとの番号) です。</source>
        <translation>The pen number (after pen choice) whose lines are perforated.</translation>
    </message>
    <message>
        <source>カットする長さです。0 以下では線をそのまま切ります。</source>
        <translation>The length of each cut piece. 0 or less cuts the lines whole.</translation>
    </message>
    <message>
        <source>あけておく長さです。0 以下では線をそのまま切ります。</source>
        <translation>The length of each skip. 0 or less cuts the lines whole.</translation>
    </message>
    <message>
        <source>プロッタ単位 (ステップ/インチ)(&amp;U):</source>
        <translation>Plotter &amp;units (steps per inch):</translation>
    </message>
    <message>
        <source>PD 制限 A (組, 1〜180):</source>
        <translation>PD limit A (pairs, 1–180):</translation>
    </message>
    <message>
        <source>PD 制限 S (バイト, 1〜9999):</source>
        <translation>PD limit S (bytes, 1–9999):</translation>
    </message>
    <message>
        <source>カット長 (0.1 mm):</source>
        <translation>Cut length (0.1 mm):</translation>
    </message>
    <message>
        <source>スキップ長 (0.1 mm):</source>
        <translation>Skip length (0.1 mm):</translation>
    </message>
    <message>
        <source>ナイフ補正</source>
        <translation>Drag knife</translation>
    </message>
    <message>
        <source>ナイフ補正を使う(&amp;B)</source>
        <translation>Use &amp;blade compensation</translation>
    </message>
    <message>
        <source>オンでは、工具番号のペンの線をドラッグナイフ用に切ります。刃先オフセットだけ各線を延ばして角で刃を回し、閉じた線はオーバーカットだけ切り重ねます。</source>
        <translation>When on, the lines of the tool number&apos;s pen are cut for a drag knife: each line run on by the blade offset with the blade swung round at corners, and closed lines cut on past their start by the overcut.</translation>
    </message>
    <message>
        <source>工具番号(&amp;E):</source>
        <translation>Tool nu&amp;mber:</translation>
    </message>
    <message>
        <source>ドラッグナイフのペン番号 (ペン選択のあとの番号) です。</source>
        <translation>The drag knife&apos;s pen number (after pen choice).</translation>
    </message>
    <message>
        <source>刃先オフセット (mm)(&amp;F):</source>
        <translation>Blade o&amp;ffset (mm):</translation>
    </message>
    <message>
        <source>刃先がホルダの中心から後ろにずれている長さです (0〜5 mm)。</source>
        <translation>How far the blade tip trails the holder&apos;s centre (0–5 mm).</translation>
    </message>
    <message>
        <source>オーバーカット (mm)(&amp;V):</source>
        <translation>O&amp;vercut (mm):</translation>
    </message>
    <message>
        <source>閉じた線を始点を越えて切り重ねる長さです (0〜50 mm)。開いた線には付きません。</source>
        <translation>How far a closed line is cut on past its start (0–50 mm). Open lines get none.</translation>
    </message>
    <message>
        <source>Trazen プロッタ設定</source>
        <translation>Trazen Plotter Settings</translation>
    </message>
    <message>
        <source>カス取り枠 (K マージン)</source>
        <translation>Weeding frame (K margin)</translation>
    </message>
    <message>
        <source>カス取り枠を使う(&amp;K)</source>
        <translation>Cut a weeding frame (&amp;K margin)</translation>
    </message>
    <message>
        <source>ミシン目 (Z カット)</source>
        <translation>Perforation (Z cut)</translation>
    </message>
    <message>
        <source>ミシン目を使う(&amp;Z)</source>
        <translation>Perforate (&amp;Z cut)</translation>
    </message>
    <message>
        <source>カット圧 (FS, g):</source>
        <translation>Cut force (FS, grams):</translation>
    </message>
    <message>
        <source>カットする部分の前に送る FS の値（グラム）です。0 では FS を送りません。</source>
        <translation>The FS value (grams) sent before each cut piece. 0 sends no FS.</translation>
    </message>
    <message>
        <source>スキップ圧 (FS, g):</source>
        <translation>Skip force (FS, grams):</translation>
    </message>
    <message>
        <source>あける部分の前に送る FS の値（グラム）です。0 では、あける部分の上でペンを上げます。</source>
        <translation>The FS value (grams) sent before each skip. 0 lifts the pen over the skips.</translation>
    </message>
</context>
<context>
    <name>trznPaperModal</name>
    <message>
        <source>用紙リストの編集</source>
        <translation>Edit Paper List</translation>
    </message>
    <message>
        <source>用紙リスト(&amp;L):</source>
        <translation>Paper &amp;list:</translation>
    </message>
    <message>
        <source>用紙名(&amp;N):</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>幅(&amp;W):</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>高さ(&amp;H):</source>
        <translation>&amp;Height:</translation>
    </message>
    <message>
        <source>単位(&amp;U):</source>
        <translation>&amp;Unit:</translation>
    </message>
    <message>
        <source>インチ</source>
        <translation>Inches</translation>
    </message>
    <message>
        <source>ミリメートル</source>
        <translation>Millimeters</translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>ロール紙(&amp;R)</source>
        <translation>&amp;Roll paper</translation>
    </message>
    <message>
        <source>選択した用紙の前に追加します</source>
        <translation>Insert before the selected paper</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>選択した用紙を書き換えます</source>
        <translation>Overwrite the selected paper</translation>
    </message>
    <message>
        <source>変更(&amp;E)</source>
        <translation>&amp;Change</translation>
    </message>
    <message>
        <source>選択した用紙を削除します</source>
        <translation>Delete the selected paper</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trznSendModal</name>
    <message>
        <source>Trazen でプロット</source>
        <translation>Plot with Trazen</translation>
    </message>
    <message>
        <source>送信先:</source>
        <translation>Destination:</translation>
    </message>
    <message>
        <source>ポート / アドレス:</source>
        <translation>Port / address:</translation>
    </message>
    <message>
        <source>進み具合:</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>送信中のデータ:</source>
        <translation>Data being sent:</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>濃い線は送信済み、薄い線はまだ送っていない部分です。</source>
        <translation>Dark lines have been sent, light lines not yet.</translation>
    </message>
    <message>
        <source>濃い線: 送信済み&#x3000;&#x3000;薄い線: 未送信&#x3000;&#x3000;○: 現在のペン位置</source>
        <translation>Dark lines: sent    Light lines: not yet sent    ○: the pen</translation>
    </message>
</context>
</TS>

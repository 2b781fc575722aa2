<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示する。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションも含めてヘルプを表示する。</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>zem_d7-cli doctor --port %1 finds out why.</source>
        <translation>zem_d7-cli doctor --port %1 で原因を調べられます。</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: give one %2</source>
        <translation>zem_d7-cli %1: %2を 1 つ指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: --only takes memory, vfo and settings, not &apos;%2&apos;</source>
        <translation>zem_d7-cli %1: --only に指定できるのは memory、vfo、settings です（&apos;%2&apos; は指定できません）</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: give the output file with -o %2</source>
        <translation>zem_d7-cli %1: 出力ファイルを -o %2 で指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: %2: the output file name must end in .zem, or it cannot be opened again</source>
        <translation>zem_d7-cli %1: %2: 出力ファイル名は .zem で終わる必要があります（そうでないと開き直せません）</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: %2: the file format is wrong</source>
        <translation>zem_d7-cli %1: %2: ファイル形式が違います</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: %2 given more than once</source>
        <translation>zem_d7-cli %1: %2 が 2 回以上指定されています</translation>
    </message>
    <message>
        <source>print the image as the window&apos;s grids show it</source>
        <translation>画面のグリッドと同じ形でイメージを表示する</translation>
    </message>
    <message>
        <source>Print a settings file (or the start-up image) as the window&apos;s grids show it, tab-separated. Control characters and the backslash inside a text are escaped: \t, \r, \n, \xNN, \\.</source>
        <translation>設定ファイル（またはスタートアップイメージ）を、画面のグリッドと同じ形でタブ区切りで表示します。テキスト中の制御文字とバックスラッシュはエスケープします: \t、\r、\n、\xNN、\\。</translation>
    </message>
    <message>
        <source>The settings file to print.</source>
        <translation>表示する設定ファイル。</translation>
    </message>
    <message>
        <source>fill channels from a CSV file</source>
        <translation>CSV ファイルからチャンネルを埋める</translation>
    </message>
    <message>
        <source>Fill memory channels from a CSV file and save the result as a settings file. Two layouts are read:
- lines of frequency in MHz, name and memo (CP932) fill channels 0, 1, 2, ... in turn; lines not taken (outside the receive bands, without &apos;,&apos;, past channel 149) and names and memos cut are listed on standard error; nothing is written when a line&apos;s frequency is not a number;
- the channel layout of general multi-radio programming tools (UTF-8, a first line naming the columns, Location and Frequency among them; see export-csv): each row fills the channel 0-149 its Location names. Rows and fields the TH-D7 cannot hold are listed on standard error, one line per row.
Exit status: 0 every row taken whole, 1 written but some rows or fields not taken, 2 bad arguments or input (nothing written).</source>
        <translation>CSV ファイルからメモリチャンネルを埋め、結果を設定ファイルに保存します。読める形式は 2 つです:
- 周波数（MHz）、名前、メモの行（CP932）は、チャンネル 0、1、2、… を順に埋めます。取り込めなかった行（受信バンド外、&apos;,&apos; なし、チャンネル 149 より後）と、切り詰めた名前・メモは標準エラーに一覧します。行の周波数が数値でないときは何も書きません。
- 一般的なマルチ無線機プログラミングツールのチャンネル形式（UTF-8、1 行目が列名で Location と Frequency を含む。export-csv を参照）: 各行は Location が指すチャンネル 0〜149 を埋めます。TH-D7 に入らない行とフィールドは、1 行に 1 件ずつ標準エラーに一覧します。
終了ステータス: 0 すべての行をそのまま取り込んだ、1 書いたが取り込めなかった行やフィールドがある、2 引数または入力が不正（何も書いていない）。</translation>
    </message>
    <message>
        <source>The CSV file to import.</source>
        <translation>取り込む CSV ファイル。</translation>
    </message>
    <message>
        <source>list what differs between two files</source>
        <translation>2 つのファイルの違いを一覧する</translation>
    </message>
    <message>
        <source>Compare two settings files: one line per channel row, VFO, DTMF memory and setting that differs, its label, then for each differing field a TAB and &quot;NAME: A → B&quot; (a setting&apos;s line has just &quot;A → B&quot;), texts as the window shows them and escaped as show escapes them. Exit status 0 when the files are equal, 1 when they differ, 2 on bad input.</source>
        <translation>2 つの設定ファイルを比べます。違いのあるチャンネル行、VFO、DTMF メモリ、設定ごとに 1 行で、そのラベル、続いて違うフィールドごとに TAB と &quot;NAME: A → B&quot;（設定の行は &quot;A → B&quot; のみ）を出します。テキストは画面の表示どおりに、show と同じくエスケープして出します。終了ステータスは、同じとき 0、違うとき 1、入力が不正なとき 2 です。</translation>
    </message>
    <message>
        <source>The first settings file.</source>
        <translation>1 つ目の設定ファイル。</translation>
    </message>
    <message>
        <source>The second settings file.</source>
        <translation>2 つ目の設定ファイル。</translation>
    </message>
    <message>
        <source>write the channels in the CSV layout of general multi-radio tools</source>
        <translation>一般的なマルチ無線機ツールの CSV 形式でチャンネルを書き出す</translation>
    </message>
    <message>
        <source>Write the used memory channels 0-149 of a settings file as CSV in the channel layout of general multi-radio programming tools (UTF-8, lines ended CR LF), which import-csv reads back:
%1
The scan memories L0-U9 are not written. What the layout cannot carry (Reverse, a tone code naming no tone, a split channel&apos;s shift code, control characters and bytes that are not CP932 in names and memos) is left out and listed on standard error, one line per row. Exit status: 0 written whole, 1 written without the fields listed, 2 bad arguments or input (nothing written).</source>
        <translation>設定ファイルの使用中のメモリチャンネル 0〜149 を、一般的なマルチ無線機プログラミングツールのチャンネル形式の CSV（UTF-8、行末 CR LF）で書き出します。import-csv で読み戻せます:
%1
スキャンメモリ L0〜U9 は書き出しません。この形式で表せないもの（リバース、トーンを指さないトーンコード、スプリットチャンネルのシフトコード、名前とメモの制御文字と CP932 でないバイト）は書き出さず、1 行に 1 件ずつ標準エラーに一覧します。終了ステータス: 0 すべて書いた、1 一覧したフィールドを除いて書いた、2 引数または入力が不正（何も書いていない）。</translation>
    </message>
    <message>
        <source>The settings file to export.</source>
        <translation>書き出す設定ファイル。</translation>
    </message>
    <message>
        <source>write the used channels as a PDF list</source>
        <translation>使用中のチャンネルを PDF の一覧にする</translation>
    </message>
    <message>
        <source>Write the used memory channels (0-149, then L0-U9) of a settings file as a table in a PDF file, A4 portrait, as the window&apos;s 印刷 and PDFに保存 make it: number, frequency, shift or transmit frequency, offset, tones, mode, step, name, memo and lockout, with the file name and date at the top of each page and page numbers at its foot. Exit status: 0 written, 2 bad arguments or input (nothing written).</source>
        <translation>設定ファイルの使用中のメモリチャンネル（0〜149、続いて L0〜U9）を、画面の「印刷」「PDFに保存」と同じ表にして A4 縦の PDF ファイルに書きます: 番号、周波数、シフトまたは送信周波数、オフセット、トーン、モード、ステップ、名前、メモ、ロックアウト。各ページの上にファイル名と日付、下にページ番号が入ります。終了ステータス: 0 書いた、2 引数または入力が不正（何も書いていない）。</translation>
    </message>
    <message>
        <source>reorder the memory channels by KEY: freq, name or memo</source>
        <translation>メモリチャンネルを KEY（freq、name、memo）で並べ替える</translation>
    </message>
    <message>
        <source>Reorder the used memory channels 0-149 of a settings file: by receive frequency (ascending), or by name or memo (descending, Japanese collation), and save the result.</source>
        <translation>設定ファイルの使用中のメモリチャンネル 0〜149 を、受信周波数（昇順）、または名前かメモ（降順、日本語の照合順）で並べ替えて保存します。</translation>
    </message>
    <message>
        <source>freq, name or memo.</source>
        <translation>freq、name、memo のいずれか。</translation>
    </message>
    <message>
        <source>The settings file to sort.</source>
        <translation>並べ替える設定ファイル。</translation>
    </message>
    <message>
        <source>ask the radio whether it is a TH-D7</source>
        <translation>無線機が TH-D7 かどうかを調べる</translation>
    </message>
    <message>
        <source>Ask the radio for its model (&quot;ID&quot;) and say whether it is a TH-D7.</source>
        <translation>無線機にモデル（&quot;ID&quot;）を問い合わせ、TH-D7 かどうかを表示します。</translation>
    </message>
    <message>
        <source>ask the radio whether it is modified</source>
        <translation>無線機が改造済みかどうかを調べる</translation>
    </message>
    <message>
        <source>Ask the radio for its band edges (&quot;FL&quot;) and say whether it is modified.</source>
        <translation>無線機にバンドの範囲（&quot;FL&quot;）を問い合わせ、改造済みかどうかを表示します。</translation>
    </message>
    <message>
        <source>list the serial devices present</source>
        <translation>あるシリアルデバイスを一覧する</translation>
    </message>
    <message>
        <source>List the serial devices present, with what the system says of them.</source>
        <translation>あるシリアルデバイスを、システムが示す説明とともに一覧します。</translation>
    </message>
    <message>
        <source>read the radio</source>
        <translation>無線機を読み出す</translation>
    </message>
    <message>
        <source>Read the radio&apos;s memory channels, VFOs and settings and save them as a settings file. The memos, which only the settings file keeps, come from the --into file.</source>
        <translation>無線機のメモリチャンネル、VFO、設定を読み出し、設定ファイルに保存します。設定ファイルにしかないメモは --into のファイルから取ります。</translation>
    </message>
    <message>
        <source>write a settings file to the radio</source>
        <translation>設定ファイルを無線機に書き込む</translation>
    </message>
    <message>
        <source>The settings file to write.</source>
        <translation>書き込む設定ファイル。</translation>
    </message>
    <message>
        <source>sweep with the S-meter</source>
        <translation>S メーターで掃引する</translation>
    </message>
    <message>
        <source>Sweep a frequency range with the radio&apos;s S-meter and print one line of digits (0-9) per pass.</source>
        <translation>無線機の S メーターで周波数範囲を掃引し、1 回の掃引ごとに数字（0〜9）を 1 行表示します。</translation>
    </message>
    <message>
        <source>zem_d7-cli diff: give two settings files</source>
        <translation>zem_d7-cli diff: 設定ファイルを 2 つ指定してください</translation>
    </message>
    <message>
        <source>%1 more lines of notes left out</source>
        <translation>ほか %1 行の報告は省きました</translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation>CSV ファイル</translation>
    </message>
    <message>
        <source>settings file</source>
        <translation>設定ファイル</translation>
    </message>
    <message>
        <source>zem_d7-cli sort: give a key (freq, name or memo) and one settings file</source>
        <translation>zem_d7-cli sort: キー（freq、name、memo）と設定ファイルを 1 つ指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli sort: unknown key &apos;%1&apos; (freq, name or memo)</source>
        <translation>zem_d7-cli sort: キー &apos;%1&apos; は使えません（freq、name、memo）</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: give the radio&apos;s port with --port PORT</source>
        <translation>zem_d7-cli %1: 無線機のポートを --port PORT で指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: --timeout takes a number of ms from 1 to %2</source>
        <translation>zem_d7-cli %1: --timeout には 1〜%2 の ms 数を指定してください</translation>
    </message>
    <message>
        <source>The port could not be opened.</source>
        <translation>ポートが開けませんでした。</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: interrupted; %2</source>
        <translation>zem_d7-cli %1: 中断しました。%2</translation>
    </message>
    <message>
        <source>Usage: zem_d7-cli COMMAND [OPTIONS]
TH-D7 memory editor, command-line tool.

Commands:
</source>
        <translation>使い方: zem_d7-cli COMMAND [OPTIONS]
TH-D7 メモリエディタのコマンドラインツール。

コマンド:
</translation>
    </message>
    <message>
        <source>
Options:
  -h, --help     show this help
  -v, --version  show the version
Run &apos;zem_d7-cli COMMAND --help&apos; for the options of a command.
</source>
        <translation>
オプション:
  -h, --help     このヘルプを表示する
  -v, --version  バージョンを表示する
コマンドのオプションは &apos;zem_d7-cli COMMAND --help&apos; で表示します。
</translation>
    </message>
    <message>
        <source>zem_d7-cli: give a command (see zem_d7-cli --help)</source>
        <translation>zem_d7-cli: コマンドを指定してください（zem_d7-cli --help を参照）</translation>
    </message>
    <message>
        <source>zem_d7-cli: unknown command &apos;%1&apos; (see zem_d7-cli --help)</source>
        <translation>zem_d7-cli: &apos;%1&apos; というコマンドはありません（zem_d7-cli --help を参照）</translation>
    </message>
    <message>
        <source>The radio&apos;s port: a device path (/dev/ttyUSB0), com1 to com4, or sim.</source>
        <translation>無線機のポート: デバイスのパス（/dev/ttyUSB0）、com1〜com4、または sim。</translation>
    </message>
    <message>
        <source>Longest wait for each answer of the radio, in ms (default 1000).</source>
        <translation>無線機の応答ごとの最長待ち時間（ms、既定 1000）。</translation>
    </message>
    <message>
        <source>Take each answer as soon as it has ended instead of after 48 ms of silence.</source>
        <translation>応答を 48 ms の無音を待たず、終わりしだい受け取る。</translation>
    </message>
    <message>
        <source>The CSV file to write.</source>
        <translation>書き出す CSV ファイル。</translation>
    </message>
    <message>
        <source>The PDF file to write.</source>
        <translation>書き出す PDF ファイル。</translation>
    </message>
    <message>
        <source>Start from this settings file instead of the start-up image.</source>
        <translation>スタートアップイメージの代わりにこの設定ファイルから始める。</translation>
    </message>
    <message>
        <source>Start from this settings file (its memos are kept) instead of the start-up image.</source>
        <translation>スタートアップイメージの代わりにこの設定ファイル（メモを残す）から始める。</translation>
    </message>
    <message>
        <source>Read only these: memory, vfo, settings.</source>
        <translation>これだけを読み出す: memory、vfo、settings。</translation>
    </message>
    <message>
        <source>Write only these: memory, vfo, settings.</source>
        <translation>これだけを書き込む: memory、vfo、settings。</translation>
    </message>
    <message>
        <source>Compare only these: memory, vfo, settings.</source>
        <translation>これだけを比べる: memory、vfo、settings。</translation>
    </message>
    <message>
        <source>Print the start-up image instead of a file.</source>
        <translation>ファイルの代わりにスタートアップイメージを表示する。</translation>
    </message>
    <message>
        <source>Leave the memos out, as a radio has none.</source>
        <translation>無線機にはメモがないので、メモを比べない。</translation>
    </message>
    <message>
        <source>Read the written blocks back and print each row, VFO and setting whose answer differs from the file (memos aside), as diff prints them; exit status 1 if any.</source>
        <translation>書き込んだブロックを読み戻し、応答がファイルと違う行、VFO、設定を diff と同じ形で表示する（メモを除く）。あれば終了ステータス 1。</translation>
    </message>
    <message>
        <source>Read the radio first (--fast applies), then write only the channels, scan memories, VFOs, settings and DTMF memories the file holds otherwise, and read those back.</source>
        <translation>先に無線機を読み出し（--fast が効く）、ファイルと違うチャンネル、スキャンメモリ、VFO、設定、DTMF メモリだけを書き込んで読み戻す。</translation>
    </message>
    <message>
        <source>Lower edge in MHz.</source>
        <translation>下限（MHz）。</translation>
    </message>
    <message>
        <source>Upper edge in MHz.</source>
        <translation>上限（MHz）。</translation>
    </message>
    <message>
        <source>Step code 0-9 (5 kHz ... 100 kHz; 5 is 20 kHz).</source>
        <translation>ステップコード 0〜9（5 kHz … 100 kHz、5 は 20 kHz）。</translation>
    </message>
    <message>
        <source>Number of passes to sweep.</source>
        <translation>掃引する回数。</translation>
    </message>
    <message>
        <source>Also write each pass with its date and time to FILE.</source>
        <translation>掃引ごとに日付と時刻とともに FILE にも書く。</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: unexpected argument &apos;%2&apos;</source>
        <translation>zem_d7-cli %1: 余分な引数 &apos;%2&apos; があります</translation>
    </message>
    <message>
        <source>no verdict</source>
        <translation>判定はありません</translation>
    </message>
    <message>
        <source>No serial port was found.</source>
        <translation>シリアルポートが見つかりませんでした。</translation>
    </message>
    <message>
        <source>zem_d7-cli show: give either --new or one settings file</source>
        <translation>zem_d7-cli show: --new か設定ファイル 1 つのどちらかを指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: waiting for %2 to take the output (Ctrl-C ends the wait)</source>
        <translation>zem_d7-cli %1: %2 が出力を受け取るのを待っています（Ctrl-C で待つのをやめます）</translation>
    </message>
    <message>
        <source>the radio was not touched</source>
        <translation>無線機には触れていません</translation>
    </message>
    <message>
        <source>%1: %2 done, %3 errors, %4 retried</source>
        <translation>%1: %2 件完了、エラー %3 件、再試行 %4 回</translation>
    </message>
    <message>
        <source>The radio does not answer (%1: stopped at %2/%3)</source>
        <translation>無線機が応答しません（%1: %2/%3 で停止）</translation>
    </message>
    <message>
        <source>%1: errors in %2</source>
        <translation>%1: エラーのあったもの: %2</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> ほか %1 件</translation>
    </message>
    <message>
        <source>written; the radio now holds a mix</source>
        <translation>書き込みました; 無線機の内容は新旧が混ざっています</translation>
    </message>
    <message>
        <source>read</source>
        <translation>読み出しました</translation>
    </message>
    <message>
        <source>zem_d7-cli: the link refused the next transfer</source>
        <translation>zem_d7-cli: リンクが次の転送を受け付けませんでした</translation>
    </message>
    <message>
        <source>read back; not compared</source>
        <translation>読み戻しました; 比べていません</translation>
    </message>
    <message>
        <source>Errors: %1</source>
        <translation>エラー数：%1</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: the rows read could not be kept beside %2</source>
        <translation>zem_d7-cli %1: 読み出した行を %2 の横に残せませんでした</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: %2 is left as it was; the rows read so far are in %3</source>
        <translation>zem_d7-cli %1: %2 は元のままです。ここまでに読み出した行は %3 にあります</translation>
    </message>
    <message>
        <source>read; nothing was written</source>
        <translation>読み出しました; 何も書き込んでいません</translation>
    </message>
    <message>
        <source>changed: %1 to write</source>
        <translation>changed: 書き込むもの %1 件</translation>
    </message>
    <message>
        <source>written or read back; the radio now holds a mix</source>
        <translation>書き込みまたは読み戻しました; 無線機の内容は新旧が混ざっています</translation>
    </message>
    <message>
        <source>zem_d7-cli: the link refused the transfer</source>
        <translation>zem_d7-cli: リンクが転送を受け付けませんでした</translation>
    </message>
    <message>
        <source>nothing more was written</source>
        <translation>それ以上は書き込んでいません</translation>
    </message>
    <message>
        <source>zem_d7-cli write: the radio could not be read whole (%1 kept); nothing was written</source>
        <translation>zem_d7-cli write: 無線機をすべては読み出せませんでした（%1 件は元のまま）。何も書き込んでいません</translation>
    </message>
    <message>
        <source>changed: %1 written</source>
        <translation>changed: %1 件書き込みました</translation>
    </message>
    <message>
        <source>everything was written</source>
        <translation>すべて書き込みました</translation>
    </message>
    <message>
        <source>%1 was not written</source>
        <translation>%1 は書いていません</translation>
    </message>
    <message>
        <source>everything was read and %1 saved</source>
        <translation>すべて読み出し、%1 を保存しました</translation>
    </message>
    <message>
        <source>zem_d7-cli write: --changed reads back what it writes; leave out --verify</source>
        <translation>zem_d7-cli write: --changed は書いたものを読み戻します。--verify を外してください</translation>
    </message>
    <message>
        <source>zem_d7-cli write: %1 places differ from what was written</source>
        <translation>zem_d7-cli write: %1 か所が書き込んだ内容と異なります</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: --step takes a step code 0 to 9 (5 is 20 kHz)</source>
        <translation>zem_d7-cli scope: --step にはステップコード 0〜9 を指定してください（5 は 20 kHz）</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: the lower edge is above the upper edge</source>
        <translation>zem_d7-cli scope: 下限が上限を超えています</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: the frequency range is not valid.</source>
        <translation>zem_d7-cli scope: 周波数範囲が不正です。</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: the range must be at least two steps wide</source>
        <translation>zem_d7-cli scope: 範囲はステップ 2 つ分以上の幅が必要です</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: --passes takes a number of passes, 1 or more</source>
        <translation>zem_d7-cli scope: --passes には 1 以上の回数を指定してください</translation>
    </message>
    <message>
        <source>%1 passes done</source>
        <translation>掃引 %1 回完了</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: the S-meter could not be read at %1 steps (recorded as %2).</source>
        <translation>zem_d7-cli scope: %1 か所で S メーターを読めませんでした（%2 として記録）。</translation>
    </message>
    <message>
        <source>zem_d7-cli scope: the radio does not answer; stopped after %1 passes, the pass under way is not kept</source>
        <translation>zem_d7-cli scope: 無線機が応答しません。掃引 %1 回で止めました。途中の掃引は残しません</translation>
    </message>
    <message>
        <source>%1 passes were done; the pass under way is not kept</source>
        <translation>掃引 %1 回を終えました。途中の掃引は残しません</translation>
    </message>
    <message>
        <source>With --changed: read what is needed and print what would change on the radio, one line per item, without writing anything.</source>
        <translation>--changed とともに: 必要なところを読み出し、無線機で変わるところを 1 行に 1 件ずつ表示して、何も書き込まない。</translation>
    </message>
    <message>
        <source>Write settings even when the file&apos;s MENU line was read with a warning (by position, or one of several ways).</source>
        <translation>ファイルの MENU 行が警告つきで読まれた（位置で読んだ、または読み方が複数ある）ときも設定を書き込む。</translation>
    </message>
    <message>
        <source>%1: %2 of %3 rows %4, %5 not%6</source>
        <translation>%1: %3 行中 %2 行を%4（%5 行は済んでいません）%6</translation>
    </message>
    <message>
        <source>%1: 0 of %2 rows %3</source>
        <translation>%1: %2 行中 0 行を%3</translation>
    </message>
    <message>
        <source>written</source>
        <translation>書き込みました</translation>
    </message>
    <message>
        <source>%1: %2 of %3 written, %4 not</source>
        <translation>%1: %3 件中 %2 件を書き込みました（%4 件は済んでいません）</translation>
    </message>
    <message>
        <source>the radio now holds a mix</source>
        <translation>無線機の内容は新旧が混ざっています</translation>
    </message>
    <message>
        <source>changed: 0 written</source>
        <translation>changed: 0 件書き込みました</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: nothing was read; %2 was not written</source>
        <translation>zem_d7-cli %1: 何も読み出せませんでした。%2 は書いていません</translation>
    </message>
    <message>
        <source>zem_d7-cli write: --dry-run is taken only with --changed</source>
        <translation>zem_d7-cli write: --dry-run は --changed とともにだけ使えます</translation>
    </message>
    <message>
        <source>zem_d7-cli write: %1: the settings are not written, since their MENU line was read with a warning: %2 (check them, then give --force, or leave them out with --only)</source>
        <translation>zem_d7-cli write: %1: MENU 行が警告つきで読まれたため、設定は書き込みません: %2（確かめてから --force を付けるか、--only で設定を外してください）</translation>
    </message>
    <message>
        <source>Write a settings file&apos;s memory channels, VFOs and settings to the radio. With --changed only what differs from the radio is written; it is read back, so --verify is not taken with it. What will change is printed before it is written. A block this connection has not read is read first, so that the radio&apos;s history keeps what the write replaces (--no-backup leaves that read out).</source>
        <translation>設定ファイルのメモリチャンネル、VFO、設定を無線機に書き込みます。--changed では無線機と違うところだけを書き、読み戻すので、--verify とは併用しません。変わるところは書く前に表示します。この接続でまだ読み出していないブロックは先に読み出し、書き込みで置き換わる内容を無線機の履歴に残します（--no-backup でこの読み出しを省きます）。</translation>
    </message>
    <message>
        <source>list, show, compare or restore what the radio held</source>
        <translation>無線機が保持していた内容を一覧・表示・比較・復元する</translation>
    </message>
    <message>
        <source>The radio&apos;s history: every read, and before and after every write the blocks written, kept in $ZEM_D7_HISTORY or ~/.local/share/zem_d7/history (the newest 200 entries, 50 MB at most).
history: one line per entry, newest first: number, time, what (read, before write, after write), port, blocks held, used channels, differences from the entry before (the newest older one holding one of its blocks: each block read or written keeps an entry of its own).
history show N: the entry&apos;s description, then the entry as show prints it.
history diff N [M|FILE]: what differs from the entry before N to N, or from N to entry M or FILE, as diff prints it (only the blocks both hold, memos aside); exit status 1 when anything differs.
history restore N --port PORT [--dry-run]: write the entry&apos;s blocks back as write --changed does: what will change first, then only that, read back.</source>
        <translation>無線機の履歴: すべての読み出しと、すべての書き込みの前後に書いたブロックを、$ZEM_D7_HISTORY または ~/.local/share/zem_d7/history に残します（新しい 200 件まで、最大 50 MB）。
history: 新しい順に 1 件 1 行: 番号、時刻、種類（read、before write、after write）、ポート、保持するブロック、使用中のチャンネル、前の項目（そのブロックのどれかを持つ、より古い項目のうち最も新しいもの。読み出しや書き込みのブロックごとに 1 項目）との違い。
history show N: 項目の説明に続いて、show と同じ形で項目を表示します。
history diff N [M|FILE]: N の前の項目から N まで、または N から項目 M か FILE までの違いを diff と同じ形で表示します（両方にあるブロックだけ、メモを除く）。違いがあれば終了ステータス 1。
history restore N --port PORT [--dry-run]: write --changed と同じく項目のブロックを書き戻します: 先に変わるところを表示し、そこだけを書いて読み戻します。</translation>
    </message>
    <message>
        <source>list, show, diff or restore.</source>
        <translation>list、show、diff、restore のいずれか。</translation>
    </message>
    <message>
        <source>The entry&apos;s number in the list (1 the newest).</source>
        <translation>一覧での項目の番号（1 が最新）。</translation>
    </message>
    <message>
        <source>diff: another entry or a settings file.</source>
        <translation>diff: 別の項目または設定ファイル。</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: no entry %2; the history holds %3 (zem_d7-cli history lists them)</source>
        <translation>zem_d7-cli %1: 項目 %2 はありません。履歴は %3 件です（zem_d7-cli history で一覧します）</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: no entry before %2 holds its blocks; give another entry or a file</source>
        <translation>zem_d7-cli %1: %2 より前にそのブロックを持つ項目がありません。別の項目かファイルを指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli history: give list, show N, diff N [M|FILE] or restore N --port PORT</source>
        <translation>zem_d7-cli history: list、show N、diff N [M|FILE]、restore N --port PORT のいずれかを指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli: the radio&apos;s history could not be kept (%1); the transfer goes on</source>
        <translation>zem_d7-cli: 無線機の履歴を残せませんでした（%1）。転送は続けます</translation>
    </message>
    <message>
        <source>zem_d7-cli: %1: the radio could not be read whole before the write; its history keeps nothing of this write</source>
        <translation>zem_d7-cli: %1: 書き込みの前に無線機をすべては読み出せませんでした。この書き込みについて履歴には何も残りません</translation>
    </message>
    <message>
        <source>Do not read a block first when this connection has not read it, so the history keeps nothing of what the write replaces.</source>
        <translation>この接続でまだ読み出していないブロックを先に読み出さない（書き込みで置き換わる内容は履歴に残らない）。</translation>
    </message>
    <message>
        <source>With --changed: take FILE as what the radio holds instead of reading it (&quot;last&quot;: the newest history entry of this port), write only what differs and read that back.</source>
        <translation>--changed とともに: 無線機を読み出す代わりに FILE（&quot;last&quot;: このポートの最新の履歴項目）を無線機の内容とみなし、違うところだけを書いて読み戻す。</translation>
    </message>
    <message>
        <source>zem_d7-cli write: the newest history entry of port %1 was kept before a write that did not end whole; the radio&apos;s content is not known (leave out --base)</source>
        <translation>zem_d7-cli write: ポート %1 の最新の履歴項目は、最後まで終わらなかった書き込みの前のものです。無線機の内容はわかりません（--base を外してください）</translation>
    </message>
    <message>
        <source>zem_d7-cli write: the history holds no entry of port %1</source>
        <translation>zem_d7-cli write: 履歴にポート %1 の項目がありません</translation>
    </message>
    <message>
        <source>zem_d7-cli write: --base is taken only with --changed</source>
        <translation>zem_d7-cli write: --base は --changed とともにだけ使えます</translation>
    </message>
    <message>
        <source>change fields of many memory channels at once</source>
        <translation>多数のメモリーチャンネルの項目を一度に変える</translation>
    </message>
    <message>
        <source>Set the fields given on every used row of --channels (empty rows are left alone) and save the result; nothing else in the rows changes. A row that cannot take a field (a split channel and a shift, offset or reverse; AM outside 118-135 MHz) is left as it was and named on standard error. Exit status: 0 every row taken, 1 written without the rows named, 2 bad arguments or input (nothing written).</source>
        <translation>--channels の使用中の各行に、指定した項目を設定して保存します（空の行はそのままです）。行のほかの項目は変わりません。項目を受け付けられない行（スプリットチャンネルへのシフト・オフセット・リバース、118〜135 MHz 以外での AM）は元のまま残し、標準エラーに示します。終了ステータス: 0 すべての行に設定、1 示した行を除いて書き込み、2 引数または入力の誤り（何も書き込みません）。</translation>
    </message>
    <message>
        <source>The settings file to change.</source>
        <translation>変更する設定ファイル。</translation>
    </message>
    <message>
        <source>print the channels whose name or memo holds TEXT, or on a frequency</source>
        <translation>名前かメモに TEXT を含むチャンネル、またはその周波数のチャンネルを表示する</translation>
    </message>
    <message>
        <source>Print the used memory rows, as show prints them, whose name or memo holds TEXT (half-width and full-width forms and letter case alike) or, when TEXT is a number, whose receive (or split transmit) frequency is TEXT MHz. Exit status: 0 found, 1 nothing found, 2 bad arguments or input.</source>
        <translation>名前かメモに TEXT を含む（半角・全角、大文字・小文字は区別しません）使用中のメモリー行を、show と同じ形で表示します。TEXT が数値のときは、受信（またはスプリットの送信）周波数が TEXT MHz の行を表示します。終了ステータス: 0 見つかった、1 見つからない、2 引数または入力の誤り。</translation>
    </message>
    <message>
        <source>The settings file to search.</source>
        <translation>検索する設定ファイル。</translation>
    </message>
    <message>
        <source>The text or frequency.</source>
        <translation>テキストまたは周波数。</translation>
    </message>
    <message>
        <source>find out why the radio does not answer</source>
        <translation>無線機が応答しない原因を調べる</translation>
    </message>
    <message>
        <source>Check the port and the radio, one line each, beginning &quot;ok&quot; or &quot;NG&quot; (with the next step to take): the device exists, this user may read and write it, no other program holds it and no exclusive flag is left on it, it opens at 9600 baud 8N1, and the TH-D7 answers &quot;ID&quot; (an echo, &quot;?&quot; from packet mode, noise and silence are told apart). The last line is the verdict. Only &quot;ID&quot; is sent; no setting of the radio changes. Exit status: 0 the TH-D7 answered, 1 a check failed, 2 bad arguments.</source>
        <translation>ポートと無線機を調べ、1 項目 1 行で &quot;ok&quot; か &quot;NG&quot;（次にすべきこと付き）で始めて表示します: デバイスがあるか、このユーザーが読み書きできるか、ほかのプログラムが使っておらず排他フラグも残っていないか、9600 ボー 8N1 で開けるか、TH-D7 が &quot;ID&quot; に応答するか（エコー、パケットモードの &quot;?&quot;、雑音、無応答を区別します）。最後の行が結論です。送るのは &quot;ID&quot; だけで、無線機の設定は変わりません。終了ステータス: 0 TH-D7 が応答した、1 いずれかの確認が失敗した、2 引数の誤り。</translation>
    </message>
    <message>
        <source>%1 channels imported into %2</source>
        <translation>%1 チャンネルを %2 に取り込みました</translation>
    </message>
    <message>
        <source>zem_d7-cli set: --%1 cannot be &apos;%2&apos; (%3)</source>
        <translation>zem_d7-cli set: --%1 に &apos;%2&apos; は指定できません（%3）</translation>
    </message>
    <message>
        <source>zem_d7-cli set: give at least one field to change (--step, --shift, --offset, --reverse, --tone, --ctcss, --mode or --lockout)</source>
        <translation>zem_d7-cli set: 変更する項目を 1 つ以上指定してください（--step、--shift、--offset、--reverse、--tone、--ctcss、--mode、--lockout）</translation>
    </message>
    <message>
        <source>zem_d7-cli set: --channels cannot be &apos;%1&apos; (%2)</source>
        <translation>zem_d7-cli set: --channels に &apos;%1&apos; は指定できません（%2）</translation>
    </message>
    <message>
        <source>The port to check: a device path (/dev/ttyUSB0), com1 to com4, or sim. Without it, every serial device present is tried in turn.</source>
        <translation>調べるポート: デバイスのパス（/dev/ttyUSB0）、com1〜com4、または sim。省略すると、あるシリアルデバイスを順にすべて試します。</translation>
    </message>
    <message>
        <source>The rows to change, as the grid labels them: numbers, L0-U9 and ranges (10-20,L0).</source>
        <translation>変更する行（グリッドの表記で）: 番号、L0〜U9、範囲（10-20,L0）。</translation>
    </message>
    <message>
        <source>Step in kHz: 5, 6.25, 10, 12.5, 15, 20, 25, 30, 50 or 100.</source>
        <translation>ステップ（kHz）: 5、6.25、10、12.5、15、20、25、30、50、100 のいずれか。</translation>
    </message>
    <message>
        <source>simplex, + or - (not for split channels).</source>
        <translation>simplex、+、- のいずれか（スプリットチャンネルには不可）。</translation>
    </message>
    <message>
        <source>Shift offset in MHz (not for split channels).</source>
        <translation>シフトのオフセット（MHz、スプリットチャンネルには不可）。</translation>
    </message>
    <message>
        <source>on or off (on not for split channels).</source>
        <translation>on または off（スプリットチャンネルに on は不可）。</translation>
    </message>
    <message>
        <source>off, or the tone to send in Hz (88.5).</source>
        <translation>off、または送信するトーン（Hz、88.5 など）。</translation>
    </message>
    <message>
        <source>off, or the CTCSS tone in Hz.</source>
        <translation>off、または CTCSS トーン（Hz）。</translation>
    </message>
    <message>
        <source>FM or AM (AM only between 118 and 135 MHz).</source>
        <translation>FM または AM（AM は 118〜135 MHz のみ）。</translation>
    </message>
    <message>
        <source>on or off.</source>
        <translation>on または off。</translation>
    </message>
    <message>
        <source>zem_d7-cli %1: --port takes a port; leave it out to try every serial device</source>
        <translation>zem_d7-cli %1: --port にはポートを指定してください。すべてのシリアルデバイスを試すときは省略します</translation>
    </message>
    <message>
        <source>checks not finished</source>
        <translation>確認は終わっていません</translation>
    </message>
    <message>
        <source>zem_d7-cli find: give one settings file and the text or frequency to find</source>
        <translation>zem_d7-cli find: 設定ファイル 1 つと、探すテキストまたは周波数を指定してください</translation>
    </message>
    <message>
        <source>zem_d7-cli find: give a text or frequency to find</source>
        <translation>zem_d7-cli find: 探すテキストまたは周波数を指定してください</translation>
    </message>
    <message>
        <source>%1 (radio)</source>
        <translation>%1（無線機）</translation>
    </message>
    <message>
        <source>%1 read-back</source>
        <translation>%1 読み戻し</translation>
    </message>
</context>
</TS>

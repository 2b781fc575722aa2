<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>session</name>
    <message>
        <source>a TH-D7</source>
        <translation>TH-D7です</translation>
    </message>
    <message>
        <source>not a TH-D7</source>
        <translation>TH-D7以外の機器です</translation>
    </message>
    <message>
        <source>modified</source>
        <translation>改造済み</translation>
    </message>
    <message>
        <source>not modified</source>
        <translation>未改造</translation>
    </message>
    <message>
        <source>the radio did not answer. Check the port, the cable and the radio&apos;s power.</source>
        <translation>無線機から応答がありませんでした。ポート、ケーブル、無線機の電源を確かめてください。</translation>
    </message>
    <message>
        <source>The radio does not answer; stopped part-way</source>
        <translation>無線機が応答しません。途中で止めました。</translation>
    </message>
    <message>
        <source>the radio did not answer</source>
        <translation>無線機から応答がありませんでした</translation>
    </message>
    <message>
        <source>the radio&apos;s answer could not be read</source>
        <translation>無線機の応答を読み取れませんでした</translation>
    </message>
    <message>
        <source>the line was closed</source>
        <translation>回線が切れていました</translation>
    </message>
    <message>
        <source>%1 places differ from what was written</source>
        <translation>%1 か所が書き込んだ内容と異なります</translation>
    </message>
    <message>
        <source>Read-back: the link was closed, so nothing was read back.</source>
        <translation>照合: 切断したため、読み返せませんでした。</translation>
    </message>
    <message>
        <source>Read-back: the radio was busy with another operation, so nothing was read back.</source>
        <translation>照合: 無線機が別の処理を実行中のため、読み返せませんでした。</translation>
    </message>
    <message>
        <source>Read-back: no differences</source>
        <translation>照合: 相違なし</translation>
    </message>
    <message>
        <source>Read-back: %1</source>
        <translation>照合: %1</translation>
    </message>
    <message>
        <source>%1 rows were not answered by the radio and could not be compared.</source>
        <translation>%1 件は無線機から応答がなく、照合できませんでした。</translation>
    </message>
    <message>
        <source>the lower edge is above the upper edge</source>
        <translation>下限が上限を超えています</translation>
    </message>
    <message>
        <source>the frequency range is not valid.</source>
        <translation>周波数範囲が不正です。</translation>
    </message>
    <message>
        <source>the range must be at least two steps wide</source>
        <translation>周波数範囲が狭すぎます。下限と上限の間に、周波数ステップ 2 つ分以上の幅を取ってください。</translation>
    </message>
    <message>
        <source>the S-meter could not be read</source>
        <translation>S メーターを読めませんでした</translation>
    </message>
    <message>
        <source>the S-meter could not be read at %1 steps (recorded as %2).</source>
        <translation>%1 か所で S メーターを読めませんでした（%2 として記録）。</translation>
    </message>
    <message>
        <source>the radio does not answer; the sweep was stopped.</source>
        <translation>無線機が応答しません。スコープを止めました。</translation>
    </message>
</context>
</TS>

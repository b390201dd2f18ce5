<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Texts</name>
    <message>
        <source>接続中</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>未接続</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>通信中</source>
        <translation>Busy</translation>
    </message>
    <message>
        <source>&#x3000;トルベックス&#x3000;s/n</source>
        <translation>Torbex s/n</translation>
    </message>
    <message>
        <source>データ編集</source>
        <translation>Edit data</translation>
    </message>
    <message>
        <source>管理番号</source>
        <translation>Management no.</translation>
    </message>
    <message>
        <source>シリンジポンプの管理番号を入力して下さい。&#x3000;&#x3000;（半角文字列&#x3000;最大10桁）</source>
        <translation>Enter the pump&apos;s management number.
(Up to 10 single-byte characters)</translation>
    </message>
    <message>
        <source>確&#x3000;&#x3000;定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>トルベックス&#x3000;設定・データソフト(V1.02)</source>
        <translation>Torbex Settings and Data (V1.02)</translation>
    </message>
    <message>
        <source>Ｌ</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Ｍ</source>
        <translation>M</translation>
    </message>
    <message>
        <source>Ｈ</source>
        <translation>H</translation>
    </message>
    <message>
        <source>通常モード</source>
        <translation>Normal mode</translation>
    </message>
    <message>
        <source>上書きモード</source>
        <translation>Overwrite mode</translation>
    </message>
    <message>
        <source>使用する</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>使用しない</source>
        <translation>Do not use</translation>
    </message>
    <message>
        <source>％</source>
        <translation>%</translation>
    </message>
    <message>
        <source>ｍｌ／ｈ</source>
        <translation>ml/h</translation>
    </message>
    <message>
        <source>ｋｐａ</source>
        <translation>kPa</translation>
    </message>
    <message>
        <source>ｍｍＨｇ</source>
        <translation>mmHg</translation>
    </message>
    <message>
        <source>データ数：</source>
        <translation>Records:</translation>
    </message>
    <message>
        <source>シリンジポンプRFID</source>
        <translation>Syringe pump RFID</translation>
    </message>
    <message>
        <source>試験回数</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>最終試験日</source>
        <translation>Last test</translation>
    </message>
    <message>
        <source>流量判定</source>
        <translation>Flow verdict</translation>
    </message>
    <message>
        <source>閉塞判定</source>
        <translation>Occl. verdict</translation>
    </message>
    <message>
        <source>点検期限</source>
        <translation>Inspection due</translation>
    </message>
    <message>
        <source>測定日</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>測定時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>トルベックスs/n</source>
        <translation>Torbex s/n</translation>
    </message>
    <message>
        <source>流量設定 (ml/h)</source>
        <translation>Flow set (ml/h)</translation>
    </message>
    <message>
        <source>流量測定結果 (%)</source>
        <translation>Flow result (%)</translation>
    </message>
    <message>
        <source>閉塞設定</source>
        <translation>Occl. level</translation>
    </message>
    <message>
        <source>閉塞測定結果 (kPa)</source>
        <translation>Occl. result (kPa)</translation>
    </message>
    <message>
        <source>見出し行がデータファイルのものではありません</source>
        <translation>The heading line is not that of a data file</translation>
    </message>
    <message>
        <source>項目の数が10ではありません</source>
        <translation>The number of fields is not 10</translation>
    </message>
    <message>
        <source>RFIDが16桁の16進数ではありません</source>
        <translation>The RFID is not 16 hexadecimal digits</translation>
    </message>
    <message>
        <source>管理番号に使用できない文字・桁数です</source>
        <translation>The management number has invalid characters or is too long</translation>
    </message>
    <message>
        <source>測定日の形式が正しくありません</source>
        <translation>The measurement date is not in the correct format</translation>
    </message>
    <message>
        <source>測定時刻の形式が正しくありません</source>
        <translation>The measurement time is not in the correct format</translation>
    </message>
    <message>
        <source>流量設定が正しくありません</source>
        <translation>The flow setting is incorrect</translation>
    </message>
    <message>
        <source>流量測定結果が正しくありません</source>
        <translation>The flow result is incorrect</translation>
    </message>
    <message>
        <source>流量測定判定が正しくありません</source>
        <translation>The flow verdict is incorrect</translation>
    </message>
    <message>
        <source>閉塞設定が正しくありません</source>
        <translation>The occlusion level is incorrect</translation>
    </message>
    <message>
        <source>閉塞測定結果が正しくありません</source>
        <translation>The occlusion result is incorrect</translation>
    </message>
    <message>
        <source>閉塞測定判定が正しくありません</source>
        <translation>The occlusion verdict is incorrect</translation>
    </message>
    <message>
        <source>見出し行がデータファイルのものではないため、管理番号を登録しませんでした。</source>
        <translation>The management numbers were not registered because the heading line is not that of a data file.</translation>
    </message>
    <message>
        <source>次の行は形式が正しくないため、管理番号を登録しませんでした。</source>
        <translation>The management numbers on the following lines were not registered because their format is incorrect.</translation>
    </message>
    <message>
        <source>%1行目：%2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>ほか%1行</source>
        <translation>and %1 more lines</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ファイル異常</source>
        <translation>File error</translation>
    </message>
    <message>
        <source>入力値異常</source>
        <translation>Invalid input</translation>
    </message>
    <message>
        <source>設定ファイルが読込みできません。初期化します。</source>
        <translation>The settings file cannot be read. It will be initialized.</translation>
    </message>
    <message>
        <source>設定ファイルが書込みできません。&#x3000;本プログラムを終了します。</source>
        <translation>The settings file cannot be written. The program will now exit.</translation>
    </message>
    <message>
        <source>文字コード(CP932)が使用できません。本プログラムを終了します。</source>
        <translation>The character encoding (CP932) is not available. The program will now exit.</translation>
    </message>
    <message>
        <source>ファイル保存</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>データが保存されていませんがよろしいですか？</source>
        <translation>The data has not been saved. Do you want to continue?</translation>
    </message>
    <message>
        <source>「ファイル保存」で保存してください。</source>
        <translation>Please save it with &quot;Save file&quot;.</translation>
    </message>
    <message>
        <source>トルベックスが接続されていません</source>
        <translation>Torbex is not connected.</translation>
    </message>
    <message>
        <source>読み込みが正常に終了しました。</source>
        <translation>The download completed successfully.</translation>
    </message>
    <message>
        <source>トルベックスのデータもクリアしますか？</source>
        <translation>Clear the data in Torbex as well?</translation>
    </message>
    <message>
        <source>既に同名のファイルが存在します。上書きしますか？</source>
        <translation>A file with the same name already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>書き込みが正常に終了しました。</source>
        <translation>The file was written successfully.</translation>
    </message>
    <message>
        <source>書き込みできませんでした。</source>
        <translation>The file could not be written.</translation>
    </message>
    <message>
        <source>読み出しが正常に終了しました。</source>
        <translation>The file was read successfully.</translation>
    </message>
    <message>
        <source>読み出しできませんでした。</source>
        <translation>The file could not be read.</translation>
    </message>
    <message>
        <source>データがない行は入力できません。</source>
        <translation>A row without data cannot be edited.</translation>
    </message>
    <message>
        <source>データ読込</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>トルベックスからデータを読み込んでいます。
%1／%2&#x3000;（データ件数：%3）</source>
        <translation>Downloading data from Torbex.
%1/%2  (records: %3)</translation>
    </message>
    <message>
        <source>データ読込中です。中止しますか？</source>
        <translation>A download is in progress. Stop it?</translation>
    </message>
    <message>
        <source>データ読込を中止しました。</source>
        <translation>The download was stopped.</translation>
    </message>
    <message>
        <source>トルベックスに現在時刻を設定します。よろしいですか？
</source>
        <translation>Torbex&apos;s clock will be set to the current time. Continue?
</translation>
    </message>
    <message>
        <source>校正係数は、単精度の数値で表せる範囲で入力して下さい。</source>
        <translation>Enter calibration coefficients within the range of a single-precision number.</translation>
    </message>
    <message>
        <source>シリアル番号は、半角英数字・記号で入力して下さい。</source>
        <translation>Enter the serial number in single-byte letters, digits and symbols.</translation>
    </message>
    <message>
        <source>履&#x3000;歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>試験履歴</source>
        <translation>Test history</translation>
    </message>
    <message>
        <source>絞り込み</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>RFID・管理番号・日付の一部</source>
        <translation>Part of an RFID, management no. or date</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>期限切れのみ</source>
        <translation>Overdue only</translation>
    </message>
    <message>
        <source>ポンプを選ぶと、その試験の推移を表示します。</source>
        <translation>Select a pump to show the trend of its tests.</translation>
    </message>
    <message>
        <source>流量の目安</source>
        <translation>Flow tolerance</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>閉塞圧力の範囲 %1</source>
        <translation>Occlusion pressure range %1</translation>
    </message>
    <message>
        <source>閉塞測定結果 %1 (kPa)</source>
        <translation>Occlusion result %1 (kPa)</translation>
    </message>
    <message>
        <source>テスターからデータを読み込みます（F5）</source>
        <translation>Download data from the tester (F5)</translation>
    </message>
    <message>
        <source>データをファイルに保存します（Ctrl+S）</source>
        <translation>Save the data to a file (Ctrl+S)</translation>
    </message>
    <message>
        <source>履歴を閉じます（Esc）</source>
        <translation>Close the history (Esc)</translation>
    </message>
    <message>
        <source>履歴データベースを開けません。試験の履歴は記録されません。
（%1）</source>
        <translation>The history database cannot be opened. Test history will not be recorded.
(%1)</translation>
    </message>
    <message>
        <source>履歴を更新できませんでした。データは保存できます。
（%1）</source>
        <translation>The history could not be updated. The data can still be saved.
(%1)</translation>
    </message>
    <message>
        <source>点検間隔の設定を使えません。次回点検日は最終試験の12か月後として表示します。
（%1）</source>
        <translation>The inspection interval settings cannot be used. The next inspection date is shown as 12 months after the last test.
(%1)</translation>
    </message>
    <message>
        <source>履歴を読み出せませんでした。
（%1）</source>
        <translation>The history could not be read.
(%1)</translation>
    </message>
    <message>
        <source>管理番号を登録できませんでした。
（%1）</source>
        <translation>The management number could not be registered.
(%1)</translation>
    </message>
    <message>
        <source>管理番号が登録と異なります。
RFID：%1
登録：%2
ファイル：%3
登録をファイルの管理番号に変更しますか？</source>
        <translation>The management number differs from the registered one.
RFID: %1
Registered: %2
File: %3
Change the registered number to the one in the file?</translation>
    </message>
    <message>
        <source>報告書</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>報告書保存</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>報告書にするデータがありません。</source>
        <translation>There is no data for a report.</translation>
    </message>
    <message>
        <source>点検者</source>
        <translation>Inspector</translation>
    </message>
    <message>
        <source>報告書に記載する点検者名を入力して下さい。</source>
        <translation>Enter the inspector&apos;s name for the report.</translation>
    </message>
    <message>
        <source>点検報告書_%1.pdf</source>
        <translation>InspectionReport_%1.pdf</translation>
    </message>
    <message>
        <source>点検報告書_%1_%2.pdf</source>
        <translation>InspectionReport_%1_%2.pdf</translation>
    </message>
    <message>
        <source>点検予定表_%1.pdf</source>
        <translation>InspectionWorklist_%1.pdf</translation>
    </message>
    <message>
        <source>メーカー</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>機種</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>製造番号</source>
        <translation>Serial no.</translation>
    </message>
    <message>
        <source>部署</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>設置場所</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>点検間隔（月）</source>
        <translation>Interval (months)</translation>
    </message>
    <message>
        <source>総合判定</source>
        <translation>Overall</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>変更日時</source>
        <translation>Changed at</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>変更前</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>変更後</source>
        <translation>After</translation>
    </message>
    <message>
        <source>変更者</source>
        <translation>Changed by</translation>
    </message>
    <message>
        <source>変更元</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>台&#x3000;帳</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>点検予定</source>
        <translation>Worklist</translation>
    </message>
    <message>
        <source>変更履歴</source>
        <translation>Change history</translation>
    </message>
    <message>
        <source>編&#x3000;集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>シリンジポンプ台帳</source>
        <translation>Syringe pump register</translation>
    </message>
    <message>
        <source>期限まで（日）</source>
        <translation>Due within (days)</translation>
    </message>
    <message>
        <source>使用中</source>
        <translation>In service</translation>
    </message>
    <message>
        <source>廃棄</source>
        <translation>Retired</translation>
    </message>
    <message>
        <source>点検予定表</source>
        <translation>Inspection worklist</translation>
    </message>
    <message>
        <source>台帳の行を選択して下さい。</source>
        <translation>Select a row in the register.</translation>
    </message>
    <message>
        <source>機種別点検間隔</source>
        <translation>Intervals by model</translation>
    </message>
    <message>
        <source>既定</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>設&#x3000;定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>メーカーと機種を入力して下さい。</source>
        <translation>Enter the maker and the model.</translation>
    </message>
    <message>
        <source>CSV読込</source>
        <translation>Load CSV</translation>
    </message>
    <message>
        <source>CSV保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>保守システム出力</source>
        <translation>CMMS export</translation>
    </message>
    <message>
        <source>バックアップ</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>履歴の復元</source>
        <translation>Restore history</translation>
    </message>
    <message>
        <source>履歴をバックアップの内容に置き換えます。現在の履歴は、元のファイルの横に保存されます。よろしいですか？</source>
        <translation>The history will be replaced with the contents of the backup. The current history will be kept beside the original file. Continue?</translation>
    </message>
    <message>
        <source>履歴を復元しました。
復元前の履歴：%1</source>
        <translation>The history has been restored.
History before the restore: %1</translation>
    </message>
    <message>
        <source>履歴を復元できませんでした。
（%1）</source>
        <translation>The history could not be restored.
(%1)</translation>
    </message>
    <message>
        <source>
復元前の履歴：%1</source>
        <translation>
History before the restore: %1</translation>
    </message>
    <message>
        <source>台帳読込</source>
        <translation>Load register</translation>
    </message>
    <message>
        <source>台帳保存</source>
        <translation>Save register</translation>
    </message>
    <message>
        <source>履歴のバックアップ</source>
        <translation>Back up history</translation>
    </message>
    <message>
        <source>台帳</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>履歴バックアップ</source>
        <translation>HistoryBackup</translation>
    </message>
    <message>
        <source>台帳ファイルに誤りがあるため、読み込みませんでした。</source>
        <translation>The register file was not loaded because it contains errors.</translation>
    </message>
    <message>
        <source>
%1行目：%2</source>
        <translation>
Line %1: %2</translation>
    </message>
    <message>
        <source>
ほか%1行</source>
        <translation>
and %1 more lines</translation>
    </message>
    <message>
        <source>台帳を読み込みました。（%1台、うち変更%2台）</source>
        <translation>The register has been loaded. (%1 pumps, %2 changed)</translation>
    </message>
    <message>
        <source>備考</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>%1に制御文字は使用できません。</source>
        <translation>%1 must not contain control characters.</translation>
    </message>
    <message>
        <source>%1は、%2文字以内で入力して下さい。</source>
        <translation>%1 must be %2 characters or fewer.</translation>
    </message>
    <message>
        <source>%1の値が正しくありません。</source>
        <translation>%1 has an incorrect value.</translation>
    </message>
    <message>
        <source>データ収集</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>設&#x3000;&#x3000;定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>出荷時設定</source>
        <translation>Factory</translation>
    </message>
    <message>
        <source>デ&#x3000;&#x3000;ー&#x3000;&#x3000;タ&#x3000;&#x3000;収&#x3000;&#x3000;集</source>
        <translation>Data Collection</translation>
    </message>
    <message>
        <source>データクリア</source>
        <translation>Clear data</translation>
    </message>
    <message>
        <source>ファイル読出</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>終&#x3000;了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>データ件数：</source>
        <translation>Records:</translation>
    </message>
    <message>
        <source>設&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>流量・閉塞圧力測定設定</source>
        <translation>Flow and occlusion pressure measurement settings</translation>
    </message>
    <message>
        <source>流量（ml/h）</source>
        <translation>Flow (ml/h)</translation>
    </message>
    <message>
        <source>閉塞圧力（kpa）</source>
        <translation>Occlusion (kPa)</translation>
    </message>
    <message>
        <source>測定データ書き込み&#x3000;モード設定</source>
        <translation>Data write mode</translation>
    </message>
    <message>
        <source>ＩＣタグ使用設定</source>
        <translation>IC tag use</translation>
    </message>
    <message>
        <source>流量表示単位</source>
        <translation>Flow unit</translation>
    </message>
    <message>
        <source>閉塞圧力表示単位</source>
        <translation>Pressure unit</translation>
    </message>
    <message>
        <source>転送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>読み出し</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>シリンジポンプテスター・プログラムバージョン：</source>
        <translation>Syringe pump tester program version:</translation>
    </message>
    <message>
        <source>モ&#x3000;ー&#x3000;ド&#x3000;変&#x3000;更</source>
        <translation>Mode Change</translation>
    </message>
    <message>
        <source>校正モード</source>
        <translation>Calibration mode</translation>
    </message>
    <message>
        <source>日付・時刻設定</source>
        <translation>Set date/time</translation>
    </message>
    <message>
        <source>出&#x3000;荷&#x3000;時&#x3000;設&#x3000;定</source>
        <translation>Factory Settings</translation>
    </message>
    <message>
        <source>閉塞圧力校正値設定</source>
        <translation>Occlusion pressure calibration</translation>
    </message>
    <message>
        <source>校正係数&#x3000;ａ0</source>
        <translation>Coeff. a0</translation>
    </message>
    <message>
        <source>校正係数&#x3000;a1</source>
        <translation>Coeff. a1</translation>
    </message>
    <message>
        <source>校正係数&#x3000;a2</source>
        <translation>Coeff. a2</translation>
    </message>
    <message>
        <source>シリアル番号</source>
        <translation>Serial no.</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>プログラム       &#x3000;書き換えモード</source>
        <translation>Program update</translation>
    </message>
    <message>
        <source>N0.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>閉塞測定結果 (kpa)</source>
        <translation>Occl. result (kPa)</translation>
    </message>
    <message>
        <source>シリンジポンプRFID：%1&#x3000;管理番号：%2&#x3000;試験回数：%3</source>
        <translation>Syringe pump RFID: %1  Management no.: %2  Tests: %3</translation>
    </message>
    <message>
        <source>メーカー：%1&#x3000;機種：%2&#x3000;製造番号：%3</source>
        <translation>Maker: %1  Model: %2  Serial no.: %3</translation>
    </message>
    <message>
        <source>部署：%1&#x3000;設置場所：%2&#x3000;次回点検期限：%3&#x3000;最終試験の総合判定：%4</source>
        <translation>Department: %1  Location: %2  Inspection due: %3  Last verdict: %4</translation>
    </message>
    <message>
        <source>点検報告書（続き）</source>
        <translation>Inspection Report (continued)</translation>
    </message>
    <message>
        <source>点検報告書（シリンジポンプ別）</source>
        <translation>Inspection Report (per syringe pump)</translation>
    </message>
    <message>
        <source>点検報告書</source>
        <translation>Inspection Report</translation>
    </message>
    <message>
        <source> ～ </source>
        <translation> to </translation>
    </message>
    <message>
        <source>トルベックス&#x3000;s/n：</source>
        <translation>Torbex s/n: </translation>
    </message>
    <message>
        <source>測定期間：</source>
        <translation>Test period: </translation>
    </message>
    <message>
        <source>作成：</source>
        <translation>Created: </translation>
    </message>
    <message>
        <source>&#x3000;作成者：</source>
        <translation>  Created by: </translation>
    </message>
    <message>
        <source>件数：%1</source>
        <translation>Tests: %1</translation>
    </message>
    <message>
        <source>合格</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>未測定</source>
        <translation>Not measured</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>閉塞</source>
        <translation>Occlusion</translation>
    </message>
    <message>
        <source>承認者</source>
        <translation>Approver</translation>
    </message>
    <message>
        <source>署名</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>閉塞圧力の範囲</source>
        <translation>Occlusion pressure range</translation>
    </message>
    <message>
        <source>全部署</source>
        <translation>All departments</translation>
    </message>
    <message>
        <source>期限切れと、%1日以内に期限を迎える使用中のシリンジポンプ（%2）</source>
        <translation>Syringe pumps in service that are overdue or due within %1 days (%2)</translation>
    </message>
    <message>
        <source>作成：%1&#x3000;作成者：%2</source>
        <translation>Created: %1  Created by: %2</translation>
    </message>
    <message>
        <source>流量は、5ml/h～150ml/hの範囲で入力して下さい。</source>
        <translation>Enter a flow rate between 5 ml/h and 150 ml/h.</translation>
    </message>
    <message>
        <source>管理番号に使用できない文字が含まれています。（カンマ、制御文字、機種依存文字などは使用できません）</source>
        <translation>The management number contains characters that cannot be used. (Commas, control characters, platform-dependent characters and the like are not allowed.)</translation>
    </message>
    <message>
        <source>管理番号の先頭に「=」「+」「-」「@」は使用できません。</source>
        <translation>A management number cannot start with &quot;=&quot;, &quot;+&quot;, &quot;-&quot; or &quot;@&quot;.</translation>
    </message>
    <message>
        <source>管理番号は、10文字以内で入力して下さい。</source>
        <translation>Enter a management number of 10 characters or fewer.</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>～</source>
        <translation>–</translation>
    </message>
    <message>
        <source>保守システム出力</source>
        <comment>file name</comment>
        <translation>CMMS_export</translation>
    </message>
    <message>
        <source>%1
（%2）</source>
        <translation>%1
(%2)</translation>
    </message>
</context>
</TS>

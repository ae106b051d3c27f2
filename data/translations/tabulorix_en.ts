<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>UiText</name>
    <message>
        <source>シート</source>
        <translation>Sheet</translation>
    </message>
    <message>
        <source>スキーマ名</source>
        <translation>Schema name</translation>
    </message>
    <message>
        <source>表一覧</source>
        <translation>Table list</translation>
    </message>
    <message>
        <source>主キー</source>
        <translation>Primary key</translation>
    </message>
    <message>
        <source>一意</source>
        <translation>Unique</translation>
    </message>
    <message>
        <source>外部キー</source>
        <translation>Foreign key</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>制約</source>
        <translation>Constraints</translation>
    </message>
    <message>
        <source>索引</source>
        <translation>Indexes</translation>
    </message>
    <message>
        <source>オブジェクト権限</source>
        <translation>Object privileges</translation>
    </message>
    <message>
        <source>物理表名</source>
        <translation>Physical table name</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>ソース</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>定義</source>
        <translation>Definition</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>すべてを選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>接&#x3000;続</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>データベース接続&#x3000;</source>
        <translation>Database Connection</translation>
    </message>
    <message>
        <source>接続</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>ユーザ名称</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>サービス名 または</source>
        <translation>Service name or</translation>
    </message>
    <message>
        <source>表配置</source>
        <translation>Table placement</translation>
    </message>
    <message>
        <source>用紙横方向枚数</source>
        <translation>Pages across</translation>
    </message>
    <message>
        <source>用紙横方向枚数には %1 から %2 までの整数を入力してください: &quot;%3&quot;</source>
        <translation>Enter a whole number from %1 to %2 for pages across: &quot;%3&quot;</translation>
    </message>
    <message>
        <source>テーブル情報解析中...</source>
        <translation>Reading tables...</translation>
    </message>
    <message>
        <source>フィールド情報解析中...</source>
        <translation>Reading columns...</translation>
    </message>
    <message>
        <source>ビュー情報解析中...</source>
        <translation>Reading views...</translation>
    </message>
    <message>
        <source>索引情報解析中...</source>
        <translation>Reading indexes...</translation>
    </message>
    <message>
        <source>制約情報解析中...</source>
        <translation>Reading constraints...</translation>
    </message>
    <message>
        <source>制約情報(Primary Key)解析中...</source>
        <translation>Reading constraints (primary keys)...</translation>
    </message>
    <message>
        <source>制約情報(Unique Key)解析中...</source>
        <translation>Reading constraints (unique keys)...</translation>
    </message>
    <message>
        <source>制約情報(Foreign Key)解析中...</source>
        <translation>Reading constraints (foreign keys)...</translation>
    </message>
    <message>
        <source>制約情報(Condition)解析中...</source>
        <translation>Reading constraints (check conditions)...</translation>
    </message>
    <message>
        <source>テーブル間の関係解析中...</source>
        <translation>Working out the relations between tables...</translation>
    </message>
    <message>
        <source>接続完了</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>定義情報問い合わせ中...</source>
        <translation>Querying the definitions...</translation>
    </message>
    <message>
        <source>定義情報問い合わせ完了</source>
        <translation>Definitions queried</translation>
    </message>
    <message>
        <source>情報処理中...</source>
        <translation>Processing...</translation>
    </message>
    <message>
        <source>情報処理完了</source>
        <translation>Processed</translation>
    </message>
    <message>
        <source>SQL出力</source>
        <translation>SQL output</translation>
    </message>
    <message>
        <source>CSV出力</source>
        <translation>CSV output</translation>
    </message>
    <message>
        <source>表の列定義出力</source>
        <translation>Writing table columns</translation>
    </message>
    <message>
        <source>ビューソース出力</source>
        <translation>Writing view sources</translation>
    </message>
    <message>
        <source>索引出力</source>
        <translation>Writing indexes</translation>
    </message>
    <message>
        <source>コメント出力</source>
        <translation>Writing comments</translation>
    </message>
    <message>
        <source>OBJECT権限出力</source>
        <translation>Writing object privileges</translation>
    </message>
    <message>
        <source>主キー出力</source>
        <translation>Writing primary keys</translation>
    </message>
    <message>
        <source>一意キー出力</source>
        <translation>Writing unique keys</translation>
    </message>
    <message>
        <source>条件出力</source>
        <translation>Writing check conditions</translation>
    </message>
    <message>
        <source>外部キー出力</source>
        <translation>Writing foreign keys</translation>
    </message>
    <message>
        <source>ビュー出力</source>
        <translation>Writing views</translation>
    </message>
    <message>
        <source>SQLソース出力</source>
        <translation>Writing the SQL source</translation>
    </message>
    <message>
        <source>このデザインファイルは処理できません</source>
        <translation>This design file cannot be processed</translation>
    </message>
    <message>
        <source>デザインファイルの読み込みエラーが発生しました。</source>
        <translation>An error occurred while reading the design file.</translation>
    </message>
    <message>
        <source>デザインファイルを保存しますか?</source>
        <translation>Save the design file?</translation>
    </message>
    <message>
        <source>Wordへの出力に失敗しました</source>
        <translation>Writing the Word document failed</translation>
    </message>
    <message>
        <source>ページを数値で入力してください。</source>
        <translation>Enter the page as a number.</translation>
    </message>
    <message>
        <source>ページ番号が範囲外です。</source>
        <translation>The page number is out of range.</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>デザインファイル (*.tlx)|*.tlx|すべて (*.*)|*.*</source>
        <translation>Design files (*.tlx)|*.tlx|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>表</source>
        <translation>Tables</translation>
    </message>
    <message>
        <source>ビュー</source>
        <translation>Views</translation>
    </message>
    <message>
        <source>OBJECT権限</source>
        <translation>Object privileges</translation>
    </message>
    <message>
        <source>論理表名</source>
        <translation>Logical table name</translation>
    </message>
    <message>
        <source>論理列名</source>
        <translation>Logical column name</translation>
    </message>
    <message>
        <source>物理列名</source>
        <translation>Physical column name</translation>
    </message>
    <message>
        <source>タイプ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>型</source>
        <translation>Data type</translation>
    </message>
    <message>
        <source>桁数</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>NULL可</source>
        <translation>Nullable</translation>
    </message>
    <message>
        <source>省略時値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>制約名</source>
        <translation>Constraint name</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>動詞句</source>
        <translation>Verb phrase</translation>
    </message>
    <message>
        <source>参照先オーナー</source>
        <translation>Referenced owner</translation>
    </message>
    <message>
        <source>参照先制約名</source>
        <translation>Referenced constraint</translation>
    </message>
    <message>
        <source>削除規則</source>
        <translation>Delete rule</translation>
    </message>
    <message>
        <source>参照先論理表名</source>
        <translation>Referenced logical table</translation>
    </message>
    <message>
        <source>参照先物理表名</source>
        <translation>Referenced physical table</translation>
    </message>
    <message>
        <source>参照先論理列名</source>
        <translation>Referenced logical column</translation>
    </message>
    <message>
        <source>参照先物理列名</source>
        <translation>Referenced physical column</translation>
    </message>
    <message>
        <source>索引名</source>
        <translation>Index name</translation>
    </message>
    <message>
        <source>一意性</source>
        <translation>Uniqueness</translation>
    </message>
    <message>
        <source>権限受領者</source>
        <translation>Grantee</translation>
    </message>
    <message>
        <source>権限付与者</source>
        <translation>Grantor</translation>
    </message>
    <message>
        <source>権限名</source>
        <translation>Privilege</translation>
    </message>
    <message>
        <source>ビューソース</source>
        <translation>View source</translation>
    </message>
    <message>
        <source>フラグ</source>
        <translation>Flag</translation>
    </message>
    <message>
        <source>列定義一覧</source>
        <translation>Column list</translation>
    </message>
    <message>
        <source>主キー制約一覧</source>
        <translation>Primary key list</translation>
    </message>
    <message>
        <source>一意制約一覧</source>
        <translation>Unique key list</translation>
    </message>
    <message>
        <source>外部キー制約一覧</source>
        <translation>Foreign key list</translation>
    </message>
    <message>
        <source>条件制約一覧</source>
        <translation>Check condition list</translation>
    </message>
    <message>
        <source>索引一覧</source>
        <translation>Index list</translation>
    </message>
    <message>
        <source>ビューソース一覧</source>
        <translation>View source list</translation>
    </message>
    <message>
        <source>OBJECT権限一覧</source>
        <translation>Object privilege list</translation>
    </message>
    <message>
        <source>下-右</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>下-中央</source>
        <translation>Bottom centre</translation>
    </message>
    <message>
        <source>下-左</source>
        <translation>Bottom left</translation>
    </message>
    <message>
        <source>上-右</source>
        <translation>Top right</translation>
    </message>
    <message>
        <source>上-中央</source>
        <translation>Top centre</translation>
    </message>
    <message>
        <source>上-左</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source> - 頁 -</source>
        <translation> - page -</translation>
    </message>
    <message>
        <source> - 縦-横 -</source>
        <translation> - row-column -</translation>
    </message>
    <message>
        <source>IDEF1X風</source>
        <translation>IDEF1X style</translation>
    </message>
    <message>
        <source>IDEF1X風+索引記号</source>
        <translation>IDEF1X style + index marks</translation>
    </message>
    <message>
        <source>IDEF1X風+索引記号+索引文字記号</source>
        <translation>IDEF1X style + index marks + index letters</translation>
    </message>
    <message>
        <source>キー記号+索引記号+索引文字記号</source>
        <translation>Key marks + index marks + index letters</translation>
    </message>
    <message>
        <source>表名とキー/索引列</source>
        <translation>Table name with key and index columns</translation>
    </message>
    <message>
        <source>表名とすべての列</source>
        <translation>Table name with all columns</translation>
    </message>
    <message>
        <source>表名のみ</source>
        <translation>Table name only</translation>
    </message>
    <message>
        <source>用紙縦方向枚数</source>
        <translation>Pages down</translation>
    </message>
    <message>
        <source>ユーザ名:%1  サービス名:%2  接続要求中.........</source>
        <translation>User: %1  Service: %2  Connecting.........</translation>
    </message>
    <message>
        <source>スキーマ %1 の定義情報をコピー中...</source>
        <translation>Copying the definitions of schema %1...</translation>
    </message>
    <message>
        <source>%1行</source>
        <translation>%1 lines</translation>
    </message>
    <message>
        <source>指定範囲 1 - %1</source>
        <translation>Range 1 - %1</translation>
    </message>
    <message>
        <source>%1は存在しますファイルを上書きしますか?</source>
        <translation>%1 exists. Overwrite the file?</translation>
    </message>
    <message>
        <source>%1は変更されています。デザインファイルを保存しますか?</source>
        <translation>%1 has been changed. Save the design file?</translation>
    </message>
    <message>
        <source>デザインファイルのスキーマ %1 にセクション %2 が %3 回あります。すべての行を読み込みました。</source>
        <translation>Schema %1 of the design file has the section %2 %3 times. All of its rows were read.</translation>
    </message>
    <message>
        <source>%1には整数を入力してください: &quot;%2&quot;</source>
        <translation>Enter a whole number for %1: &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1は %2 枚までです: &quot;%3&quot;</source>
        <translation>%1 can be at most %2: &quot;%3&quot;</translation>
    </message>
    <message>
        <source>設定項目 %1 の値 &quot;%2&quot; は整数ではありません</source>
        <translation>The value &quot;%2&quot; of the setting %1 is not a whole number</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; を保存できません: %2</source>
        <translation>The file &quot;%1&quot; cannot be saved: %2</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; を読み込めません: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>%1 には Shift-JIS で表せない文字 %2 が含まれるため、UTF-8 (BOM 付き) で保存しました。</source>
        <translation>%1 holds the character %2, which Shift-JIS cannot represent, so it was saved as UTF-8 (with BOM).</translation>
    </message>
    <message>
        <source>UTF-8 として正しくないバイト %1 があります (%2 行目、先頭から %3 バイト目)</source>
        <translation>There is a byte %1 that is not valid UTF-8 (line %2, byte %3 from the start)</translation>
    </message>
    <message>
        <source>CP932 の文字 %1 が途中で終わっています (%2 行目、先頭から %3 バイト目)</source>
        <translation>The CP932 character %1 is cut short (line %2, byte %3 from the start)</translation>
    </message>
    <message>
        <source>CP932 として読めないバイト %1 があります (%2 行目、先頭から %3 バイト目)</source>
        <translation>There is a byte %1 that CP932 cannot read (line %2, byte %3 from the start)</translation>
    </message>
    <message>
        <source>文字 %1 は CP932 で表せません (%2 行目)</source>
        <translation>The character %1 cannot be represented in CP932 (line %2)</translation>
    </message>
    <message>
        <source>スキーマ選択</source>
        <translation>Schema</translation>
    </message>
    <message>
        <source>サプレス</source>
        <translation>Suppress repeats</translation>
    </message>
    <message>
        <source>表示対象のみ出力</source>
        <translation>Shown objects only</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>確認対象</source>
        <translation>List to preview</translation>
    </message>
    <message>
        <source>CSVファイル保存</source>
        <translation>Save CSV Files</translation>
    </message>
    <message>
        <source>出力一覧選択</source>
        <translation>Lists to write</translation>
    </message>
    <message>
        <source>出力ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>出力ディレクトリ</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>拡張メタファイル (*.emf)|*.emf|すべて (*.*)|*.*</source>
        <translation>Enhanced metafiles (*.emf)|*.emf|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>表関連図出力</source>
        <translation>Diagram Output</translation>
    </message>
    <message>
        <source>クリップボードコピー</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>ファイル保存</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>用紙枚数   X方向</source>
        <translation>Pages   across</translation>
    </message>
    <message>
        <source>Y方向</source>
        <translation>down</translation>
    </message>
    <message>
        <source>すべてのページ</source>
        <translation>All pages</translation>
    </message>
    <message>
        <source>指定ページ</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>ページ番号</source>
        <translation>Page number</translation>
    </message>
    <message>
        <source>表の検索</source>
        <translation>Find Table</translation>
    </message>
    <message>
        <source>表名・ビュー名・列名の一部</source>
        <translation>Part of a table, view or column name</translation>
    </message>
    <message>
        <source>  (列 %1)</source>
        <translation>  (column %1)</translation>
    </message>
    <message>
        <source>表関連図</source>
        <translation>Diagram</translation>
    </message>
    <message>
        <source>表関連図のフォント</source>
        <translation>Diagram font</translation>
    </message>
    <message>
        <source>表関連図のフォントサイズ</source>
        <translation>Diagram font size</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>デザインファイル読み込み</source>
        <translation>Open Design File</translation>
    </message>
    <message>
        <source>ヘルプファイルが見つかりません: %1</source>
        <translation>The help file cannot be found: %1</translation>
    </message>
    <message>
        <source>WORD出力</source>
        <translation>Word output</translation>
    </message>
    <message>
        <source>Word文書 (*.docx)|*.docx|すべて (*.*)|*.*</source>
        <translation>Word documents (*.docx)|*.docx|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Word文書を書き込みました: %1
開くアプリケーションが見つかりません。</source>
        <translation>The Word document was written: %1
No application to open it was found.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>前回、保存されていない変更があります。復元しますか?
%1
(いいえ: 次回の起動まで残します  キャンセル: 破棄します)</source>
        <translation>Changes from the last session were not saved. Restore them?
%1
(No: keep them until the next start  Cancel: discard them)</translation>
    </message>
    <message>
        <source>復元用のコピーを開けませんでした。%1 に移しました。</source>
        <translation>The recovery copy could not be opened. It was moved to %1.</translation>
    </message>
    <message>
        <source>再配置</source>
        <translation>Relayout</translation>
    </message>
    <message>
        <source>表に影を付ける</source>
        <translation>Shadow under tables</translation>
    </message>
    <message>
        <source>関連名称表示</source>
        <translation>Show relation names</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>頁印刷位置</source>
        <translation>Page number position</translation>
    </message>
    <message>
        <source>頁形式</source>
        <translation>Page number form</translation>
    </message>
    <message>
        <source>表記法</source>
        <translation>Notation</translation>
    </message>
    <message>
        <source>SQLファイル (*.sql)|*.sql|すべて (*.*)|*.*</source>
        <translation>SQL files (*.sql)|*.sql|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>SQLスクリプト出力</source>
        <translation>SQL Script Output</translation>
    </message>
    <message>
        <source>出力スキーマ</source>
        <translation>Schema</translation>
    </message>
    <message>
        <source>生成用SQL</source>
        <translation>Creation SQL</translation>
    </message>
    <message>
        <source>削除用SQL</source>
        <translation>Removal SQL</translation>
    </message>
    <message>
        <source>表単位</source>
        <translation>Table by table</translation>
    </message>
    <message>
        <source>スキーマ名付加</source>
        <translation>Prefix schema names</translation>
    </message>
    <message>
        <source>内容説明コメント付加</source>
        <translation>Explanatory comments</translation>
    </message>
    <message>
        <source>列定義</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>一意キー</source>
        <translation>Unique keys</translation>
    </message>
    <message>
        <source>制約出力形式</source>
        <translation>Constraints as</translation>
    </message>
    <message>
        <source>空行削除</source>
        <translation>Drop blank lines</translation>
    </message>
    <message>
        <source>表示領域に展開中...</source>
        <translation>Filling the view...</translation>
    </message>
    <message>
        <source>処理中...</source>
        <translation>Working...</translation>
    </message>
    <message>
        <source>処理概要</source>
        <translation>Task</translation>
    </message>
    <message>
        <source>処理詳細</source>
        <translation>Detail</translation>
    </message>
    <message>
        <source>表の表示項目</source>
        <translation>Table box shows</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>テキスト入力</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>データベースの接続(&amp;L)</source>
        <translation>Connect to &amp;Database...</translation>
    </message>
    <message>
        <source>データベースの接続</source>
        <translation>Connect to database</translation>
    </message>
    <message>
        <source>ファイルを開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>印刷設定...</source>
        <translation>Print Setup...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>図形を選択</source>
        <translation>Select shapes</translation>
    </message>
    <message>
        <source>文字列挿入</source>
        <translation>Insert text</translation>
    </message>
    <message>
        <source>文字列削除</source>
        <translation>Delete text</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>拡大表示</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>縮小表示</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>再配置(&amp;R)...</source>
        <translation>&amp;Relayout...</translation>
    </message>
    <message>
        <source>オプション(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>表の検索(&amp;F)...</source>
        <translation>&amp;Find Table...</translation>
    </message>
    <message>
        <source>WORD出力(&amp;W)</source>
        <translation>&amp;Word Output</translation>
    </message>
    <message>
        <source>CSV出力(&amp;C)...</source>
        <translation>&amp;CSV Output...</translation>
    </message>
    <message>
        <source>SQLスクリプト出力(&amp;S)...</source>
        <translation>&amp;SQL Script Output...</translation>
    </message>
    <message>
        <source>表関連図出力(&amp;E)</source>
        <translation>Diagram Output (&amp;EMF)</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>表関連図(&amp;V)</source>
        <translation>Dia&amp;gram</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>開</source>
        <translation>O</translation>
    </message>
    <message>
        <source>保</source>
        <translation>S</translation>
    </message>
    <message>
        <source>印</source>
        <translation>P</translation>
    </message>
    <message>
        <source>配</source>
        <translation>L</translation>
    </message>
    <message>
        <source>図</source>
        <translation>E</translation>
    </message>
    <message>
        <source>確認</source>
        <comment>title of a question box</comment>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>設定</source>
        <comment>button applying the settings</comment>
        <translation>OK</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDlg</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version 1.0.0</source>
        <translation>版本 1.0.0</translation>
    </message>
    <message>
        <source>Copyright (C) Orvo authors
All rights reserved.
For the ZT-4 two-way radio.</source>
        <translation>版权所有 (C) Orvo 作者
保留所有权利。
适用于 ZT-4 对讲机。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>BatchWriteDialog</name>
    <message>
        <source>Write To Several Radios</source>
        <translation>批量写频</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>对讲机</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Save &amp;Log...</source>
        <translation>保存日志(&amp;L)...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Connect radio %1 and press Start.</source>
        <translation>请连接第 %1 台对讲机，然后按“开始”。</translation>
    </message>
    <message>
        <source>Radio %1: %2.</source>
        <translation>第 %1 台对讲机：%2。</translation>
    </message>
    <message>
        <source>Save Log</source>
        <translation>保存日志</translation>
    </message>
    <message>
        <source>CSV Files (*.csv);;All Files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Differences or reason</source>
        <translation>差异或原因</translation>
    </message>
    <message>
        <source>1 radio: %2 verified, %3 different, %4 failed</source>
        <translation>1 台对讲机：%2 台校验通过，%3 台不一致，%4 台失败</translation>
    </message>
    <message>
        <source>%1 radios: %2 verified, %3 different, %4 failed</source>
        <translation>%1 台对讲机：%2 台校验通过，%3 台不一致，%4 台失败</translation>
    </message>
    <message>
        <source>, %1 cancelled</source>
        <translation>，%1 台已取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The log is no longer saved as each radio finishes; choose Save Log again.</source>
        <translation>每台对讲机写完后不再保存日志；请重新选择“保存日志”。</translation>
    </message>
    <message>
        <source>, %1 written, not verified</source>
        <translation>，%1 台已写入但未校验</translation>
    </message>
</context>
<context>
    <name>ChannelModel</name>
    <message>
        <source>The channel number, as the radio&apos;s channel knob selects it</source>
        <translation>信道号，即对讲机信道旋钮所选的信道</translation>
    </message>
    <message>
        <source>Frequency the channel receives on, in MHz</source>
        <translation>信道的接收频率，单位 MHz</translation>
    </message>
    <message>
        <source>Frequency the channel transmits on, in MHz</source>
        <translation>信道的发射频率，单位 MHz</translation>
    </message>
    <message>
        <source>Tone (CTCSS) or code (DCS) the channel needs to hear before it opens</source>
        <translation>信道打开静噪前需收到的模拟亚音（CTCSS）或数字亚音（DCS）</translation>
    </message>
    <message>
        <source>Tone (CTCSS) or code (DCS) the channel sends with each transmission</source>
        <translation>信道每次发射时附带的模拟亚音（CTCSS）或数字亚音（DCS）</translation>
    </message>
    <message>
        <source>Busy channel lock-out: Yes keeps the radio from transmitting on a busy channel</source>
        <translation>遇忙禁发：选“是”时，信道忙时对讲机不发射</translation>
    </message>
    <message>
        <source>Channel width: Wide (25 kHz) or Narrow (12.5 kHz)</source>
        <translation>信道带宽：宽带（25 kHz）或窄带（12.5 kHz）</translation>
    </message>
    <message>
        <source>Add takes the channel into the scan list, Delete leaves it out</source>
        <translation>“加入”：扫描时扫描该信道；“跳过”：扫描时跳过该信道</translation>
    </message>
    <message>
        <source>Transmit power: High or Low</source>
        <translation>发射功率：高或低</translation>
    </message>
    <message>
        <source>Channel %1 %2 %3 lies outside %4</source>
        <translation>信道 %1 %2 %3 超出 %4</translation>
    </message>
</context>
<context>
    <name>ChannelTable</name>
    <message>
        <source>Please input Number</source>
        <translation>请输入数字</translation>
    </message>
</context>
<context>
    <name>DebugModeDialog</name>
    <message>
        <source>Debug Frequency</source>
        <translation>调试频率</translation>
    </message>
    <message>
        <source>High Frequency</source>
        <translation>高频点</translation>
    </message>
    <message>
        <source>Middle Frequency</source>
        <translation>中频点</translation>
    </message>
    <message>
        <source>Low Frequency</source>
        <translation>低频点</translation>
    </message>
    <message>
        <source>Debug Item</source>
        <translation>调试项目</translation>
    </message>
    <message>
        <source>TX Frequency</source>
        <translation>频率校准</translation>
    </message>
    <message>
        <source>Low Power Voltage</source>
        <translation>低电压报警</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪门限</translation>
    </message>
    <message>
        <source>TX Power</source>
        <translation>发射功率</translation>
    </message>
    <message>
        <source>Exit Debug</source>
        <translation>退出调试</translation>
    </message>
    <message>
        <source>Please Choose Frequency first</source>
        <translation>请先选择频率</translation>
    </message>
    <message>
        <source>Low frequency</source>
        <translation>低频点</translation>
    </message>
    <message>
        <source>Current Position:</source>
        <translation>当前值：</translation>
    </message>
</context>
<context>
    <name>DebugModeDlg</name>
    <message>
        <source>Debug Mode</source>
        <translation>调试模式</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>静态</translation>
    </message>
    <message>
        <source>Receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Transmit</source>
        <translation>发射</translation>
    </message>
    <message>
        <source>Choose Debug Frequency</source>
        <translation>选择调试频率</translation>
    </message>
    <message>
        <source>Parameter Value</source>
        <translation>参数值</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Frequency (MHz)</source>
        <translation>频率(MHz)</translation>
    </message>
    <message>
        <source>Tone</source>
        <translation>亚音</translation>
    </message>
    <message>
        <source>Tone Method</source>
        <translation>亚音类型</translation>
    </message>
    <message>
        <source>QT</source>
        <translation>模拟亚音</translation>
    </message>
    <message>
        <source>DQT</source>
        <translation>数字亚音</translation>
    </message>
    <message>
        <source>Step Value</source>
        <translation>步进</translation>
    </message>
    <message>
        <source>5.00KHZ</source>
        <translation>5.00 kHz</translation>
    </message>
    <message>
        <source>6.25KHZ</source>
        <translation>6.25 kHz</translation>
    </message>
    <message>
        <source>High(MHz)</source>
        <translation>高频点(MHz)</translation>
    </message>
    <message>
        <source>Middle(MHz)</source>
        <translation>中频点(MHz)</translation>
    </message>
    <message>
        <source>Low(MHz)</source>
        <translation>低频点(MHz)</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>当前值</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>Choose %1</source>
        <translation>选择%1</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Edit channel %1 %2</source>
        <translation>编辑信道 %1 %2</translation>
    </message>
    <message>
        <source>Move channel up</source>
        <translation>信道上移</translation>
    </message>
    <message>
        <source>Move channel down</source>
        <translation>信道下移</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>无标题</translation>
    </message>
</context>
<context>
    <name>EditController</name>
    <message>
        <source>Delete channel %1</source>
        <translation>删除信道 %1</translation>
    </message>
    <message>
        <source>Delete %1 channels</source>
        <translation>删除 %1 个信道</translation>
    </message>
    <message>
        <source>Paste channel %1</source>
        <translation>粘贴信道 %1</translation>
    </message>
    <message>
        <source>Paste %1 channels</source>
        <translation>粘贴 %1 个信道</translation>
    </message>
    <message>
        <source>Channel %1, %2: %3</source>
        <translation>信道 %1，%2：%3</translation>
    </message>
    <message>
        <source>row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Nothing was pasted. Refused cells:</source>
        <translation>未粘贴任何内容。被拒绝的单元格：</translation>
    </message>
    <message>
        <source>The other rows were pasted. Refused cells:</source>
        <translation>其余各行已粘贴。被拒绝的单元格：</translation>
    </message>
    <message>
        <source>Cut channel %1</source>
        <translation>剪切信道 %1</translation>
    </message>
    <message>
        <source>Cut %1 channels</source>
        <translation>剪切 %1 个信道</translation>
    </message>
    <message>
        <source>Row %1 did not fit below channel 16</source>
        <translation>第 %1 行超出信道 16，未粘贴</translation>
    </message>
    <message>
        <source>Rows %1-%2 did not fit below channel 16</source>
        <translation>第 %1-%2 行超出信道 16，未粘贴</translation>
    </message>
</context>
<context>
    <name>FileController</name>
    <message>
        <source>CSV Files (*.csv);;All Files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Channel Data (*.sin);;All Files (*)</source>
        <translation>信道数据 (*.sin);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>It is taken off the list of recent files.</source>
        <translation>已将它从最近文件列表中移除。</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>是否保存更改？</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>Nothing was imported from &quot;%1&quot;:</source>
        <translation>未从“%1”导入任何内容：</translation>
    </message>
    <message>
        <source>Import channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>Orvo channel table (*.csv)</source>
        <translation>Orvo 信道表 (*.csv)</translation>
    </message>
    <message>
        <source>Memory CSV of other programs (*.csv)</source>
        <translation>通用信道 CSV（兼容其他写频软件） (*.csv)</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>导出信道</translation>
    </message>
    <message>
        <source>The memory CSV has no Busy column: Busy Yes of channel(s) %1 is not written.</source>
        <translation>通用信道 CSV 没有“遇忙禁发”列：信道 %1 的“遇忙禁发 是”未写入。</translation>
    </message>
    <message>
        <source>Channel %1 %2</source>
        <translation>信道 %1 %2</translation>
    </message>
</context>
<context>
    <name>FormView</name>
    <message>
        <source>Please click the CommBox to choose value</source>
        <translation>请单击下拉框选择数值</translation>
    </message>
    <message>
        <source>Please Click the cell to edit or input data</source>
        <translation>请单击单元格编辑或输入数据</translation>
    </message>
    <message>
        <source>For help，please press F1</source>
        <translation>需要帮助，请按 F1</translation>
    </message>
    <message>
        <source>Type Setting</source>
        <translation>机型设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>The radio model the channel data is for</source>
        <translation>信道数据所适用的对讲机型号</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>The frequency band of the radio: channel frequencies must lie within it, and test mode starts its debug frequencies at its lower edge</source>
        <translation>对讲机的频段：信道频率必须在此范围内，调试模式的调试频率从其下限开始</translation>
    </message>
    <message>
        <source>Function Setting</source>
        <translation>功能设置</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Whether the radio scans the channels marked Add in the Scan column</source>
        <translation>对讲机是否扫描“扫描”列中标为“加入”的信道</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Whether the radio beeps when a key is pressed</source>
        <translation>按键时对讲机是否发出按键音</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>Whether the radio saves battery by sleeping between checks of the channel while idle</source>
        <translation>空闲时对讲机是否在两次侦听信道之间休眠以节省电量</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <source>How strong a signal must be before the radio opens its speaker: 0 opens for everything, 9 only for strong signals</source>
        <translation>信号需多强对讲机才打开喇叭：0 对所有信号打开，9 仅对强信号打开</translation>
    </message>
    <message>
        <source>Tx Total Time(s)</source>
        <translation>发射限时(秒)</translation>
    </message>
    <message>
        <source>The longest the radio transmits at a stretch, in seconds, before it stops by itself (Off: no limit)</source>
        <translation>对讲机连续发射的最长时间（秒），超时自动停止（关：不限时）</translation>
    </message>
    <message>
        <source>Voice Annuciation</source>
        <translation>语音提示</translation>
    </message>
    <message>
        <source>The language in which the radio announces channels and functions, or Off</source>
        <translation>对讲机播报信道和功能所用的语言，或“关”（不播报）</translation>
    </message>
    <message>
        <source>Moni</source>
        <translation>监听</translation>
    </message>
    <message>
        <source>What the Moni key does: open the squelch while held or until pressed again</source>
        <translation>监听键的作用：按住时打开静噪，或打开直到再次按下</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>信道：</translation>
    </message>
    <message>
        <source>Urgency Call           Switch</source>
        <translation>紧急报警开关</translation>
    </message>
    <message>
        <source>What the emergency key does: sound an alert on this radio, send one to the others, or both</source>
        <translation>紧急键的作用：本机发出报警声、向其他对讲机发送报警，或两者兼有</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Orvo Help</source>
        <translation>Orvo 帮助</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>By the file&apos;s &amp;Location</source>
        <translation>按文件的位置号(&amp;L)</translation>
    </message>
    <message>
        <source>In the file&apos;s &amp;order from channel</source>
        <translation>按文件顺序(&amp;O)，从信道</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Becomes</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>The lines of &quot;%1&quot; and what becomes of each:</source>
        <translation>“%1”中的各行及其导入结果：</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>导入(&amp;I)</translation>
    </message>
    <message>
        <source>left out</source>
        <translation>不导入</translation>
    </message>
    <message>
        <source>skipped: %1</source>
        <translation>跳过：%1</translation>
    </message>
    <message>
        <source>→ channel %1</source>
        <translation>→ 信道 %1</translation>
    </message>
    <message>
        <source>No channel changes.</source>
        <translation>没有信道改变。</translation>
    </message>
    <message>
        <source>1 channel changes.</source>
        <translation>1 个信道改变。</translation>
    </message>
    <message>
        <source>%1 channels change.</source>
        <translation>%1 个信道改变。</translation>
    </message>
    <message>
        <source>Channel %1 holds data now and is overwritten.</source>
        <translation>信道 %1 现有数据，将被覆盖。</translation>
    </message>
    <message>
        <source>Channels %1 hold data now and are overwritten.</source>
        <translation>信道 %1 现有数据，将被覆盖。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>创建新文档</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>打开已有文档</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>保存当前文档</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>以新文件名保存当前文档</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>&amp;Import Channels…</source>
        <translation>导入信道(&amp;I)…</translation>
    </message>
    <message>
        <source>Take the channel table from a CSV file</source>
        <translation>从 CSV 文件读入信道表</translation>
    </message>
    <message>
        <source>&amp;Export Channels…</source>
        <translation>导出信道(&amp;E)…</translation>
    </message>
    <message>
        <source>Write the channel table as a CSV file</source>
        <translation>将信道表保存为 CSV 文件</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>打印当前文档</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>显示整页</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>更改打印机和打印选项</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>打印设置</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>退出程序；提示保存文档</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>&amp;Read From Radio</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>Read Data From Radio</source>
        <translation>从对讲机读取数据</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>&amp;Write To Radio</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Write Data to Radio </source>
        <translation>将数据写入对讲机</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写频</translation>
    </message>
    <message>
        <source>&amp;Verify With Radio</source>
        <translation>校验对讲机(&amp;V)</translation>
    </message>
    <message>
        <source>Compare the radio with the document</source>
        <translation>将对讲机中的数据与当前数据比较</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>校验</translation>
    </message>
    <message>
        <source>Write To &amp;Several Radios…</source>
        <translation>批量写频(&amp;S)…</translation>
    </message>
    <message>
        <source>Write and verify one radio after the other</source>
        <translation>逐台写频并校验</translation>
    </message>
    <message>
        <source>&amp;Test Mode</source>
        <translation>调试模式(&amp;T)</translation>
    </message>
    <message>
        <source>Debug TX Power,Squelch Level,Low Power Alert</source>
        <translation>调试发射功率、静噪门限、低电压报警</translation>
    </message>
    <message>
        <source>Debug on line</source>
        <translation>在线调试</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>显示或隐藏工具栏</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>切换工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>显示或隐藏状态栏</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>切换状态栏</translation>
    </message>
    <message>
        <source>&amp;About Orvo...</source>
        <translation>关于 Orvo(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>下一窗格</translation>
    </message>
    <message>
        <source>Switch to the next window pane</source>
        <translation>切换到下一个窗格</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>上一窗格</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane</source>
        <translation>切换回上一个窗格</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>撤销上一步操作</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>重做上一步撤销的操作</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Cut the selected channels to the clipboard</source>
        <translation>将所选信道剪切到剪贴板</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copy the selected channels to the clipboard</source>
        <translation>将所选信道复制到剪贴板</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Paste channels from the clipboard onto the selected channels</source>
        <translation>将剪贴板中的信道粘贴到所选信道</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation>删除信道(&amp;D)</translation>
    </message>
    <message>
        <source>Empty the selected channels</source>
        <translation>清空所选信道</translation>
    </message>
    <message>
        <source>Delete Channel</source>
        <translation>删除信道</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>上移(&amp;U)</translation>
    </message>
    <message>
        <source>Move the selected channels one place up</source>
        <translation>将所选信道上移一位</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>下移(&amp;W)</translation>
    </message>
    <message>
        <source>Move the selected channels one place down</source>
        <translation>将所选信道下移一位</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>大写</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>COM1(&amp;P)	Ctrl+C</source>
        <translation>COM1(&amp;P)	Ctrl+C</translation>
    </message>
    <message>
        <source>Choose Communication Port one </source>
        <translation>选择通信端口 1</translation>
    </message>
    <message>
        <source>Com1</source>
        <translation>Com1</translation>
    </message>
    <message>
        <source>COM2(&amp;Q)	Ctrl+D</source>
        <translation>COM2(&amp;Q)	Ctrl+D</translation>
    </message>
    <message>
        <source>Choose Communication Port two </source>
        <translation>选择通信端口 2</translation>
    </message>
    <message>
        <source>Com2</source>
        <translation>Com2</translation>
    </message>
    <message>
        <source>COM3(&amp;S)	Ctrl+E</source>
        <translation>COM3(&amp;S)	Ctrl+E</translation>
    </message>
    <message>
        <source>Choose Communication Port three </source>
        <translation>选择通信端口 3</translation>
    </message>
    <message>
        <source>Com3</source>
        <translation>Com3</translation>
    </message>
    <message>
        <source>COM4(&amp;T)	Ctrl+F</source>
        <translation>COM4(&amp;T)	Ctrl+F</translation>
    </message>
    <message>
        <source>Choose Communication Port four </source>
        <translation>选择通信端口 4</translation>
    </message>
    <message>
        <source>Com4</source>
        <translation>Com4</translation>
    </message>
    <message>
        <source>Choose Port…</source>
        <translation>选择端口…</translation>
    </message>
    <message>
        <source>Choose the serial device that COM1 to COM4 stand for</source>
        <translation>选择 COM1 至 COM4 所对应的串口设备</translation>
    </message>
    <message>
        <source>Choose Port</source>
        <translation>选择端口</translation>
    </message>
    <message>
        <source>P&amp;ort</source>
        <translation>端口(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>用户手册(&amp;C)</translation>
    </message>
    <message>
        <source>Show the user manual</source>
        <translation>显示用户手册</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>The window changes its language when the program is started again.</source>
        <translation>程序下次启动时，界面将使用所选语言。</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Orvo Programming Software</source>
        <translation>Orvo 写频软件</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>继续</translation>
    </message>
</context>
<context>
    <name>OptionalFeaturesDlg</name>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>Refuse Emergency Alert</source>
        <translation>拒收紧急报警</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Squelch Tail Elimination</source>
        <translation>尾音消除</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>OutOfBandPrompt</name>
    <message>
        <source>These frequencies lie outside the band %1 that Field selects: Continue writes the channels to the radio as they are, and the radio may not be able to tune them.</source>
        <translation>以下频率不在“频段”所选的 %1 之内：按“继续”将按原样把这些信道写入对讲机，对讲机可能无法调谐到这些频率。</translation>
    </message>
</context>
<context>
    <name>PortChooser</name>
    <message>
        <source>ORVO_COM%1 sets %2 to %3: a device chosen here takes effect only once that variable is unset.</source>
        <translation>ORVO_COM%1 将 %2 设为 %3：只有取消该环境变量后，此处选择的设备才会生效。</translation>
    </message>
</context>
<context>
    <name>PortChooserDlg</name>
    <message>
        <source>Choose Port</source>
        <translation>选择端口</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>端口(&amp;P)：</translation>
    </message>
    <message>
        <source>The port name the program uses (COM1 to COM4) that the chosen device stands for</source>
        <translation>所选设备对应的程序端口名 (COM1 至 COM4)</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>List the serial ports again, after plugging in or out a cable</source>
        <translation>插拔数据线后，重新列出串口</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>制造商</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>&amp;Device:</source>
        <translation>设备(&amp;D)：</translation>
    </message>
    <message>
        <source>The device to open for the port; pick one above or type a path (for example the simulator&apos;s)</source>
        <translation>该端口要打开的设备；可从上方选择，或输入路径（例如模拟器的路径）</translation>
    </message>
</context>
<context>
    <name>PortController</name>
    <message>
        <source>%1 stands for %2, which is not there now. Plug the cable in, or give %1 another device with Port &gt; Choose Port.</source>
        <translation>%1 对应 %2，但该设备现在不存在。请插上写频线，或通过“端口 &gt; 选择端口”为 %1 指定其他设备。</translation>
    </message>
    <message>
        <source>  (gone)</source>
        <translation>（设备不存在）</translation>
    </message>
</context>
<context>
    <name>PrintController</name>
    <message>
        <source>The Radio Settings</source>
        <translation>对讲机设置</translation>
    </message>
    <message>
        <source>Function Setting:</source>
        <translation>功能设置：</translation>
    </message>
    <message>
        <source>Type:   </source>
        <translation>机型：</translation>
    </message>
    <message>
        <source>Frequency Field:</source>
        <translation>频段：</translation>
    </message>
    <message>
        <source>Tx Total Time: </source>
        <translation>发射限时：</translation>
    </message>
    <message>
        <source>Warning Setting: </source>
        <translation>按键音：</translation>
    </message>
    <message>
        <source>Squelch Level: </source>
        <translation>静噪等级：</translation>
    </message>
    <message>
        <source>W/N: </source>
        <translation>宽/窄带：</translation>
    </message>
    <message>
        <source>Moni: </source>
        <translation>监听：</translation>
    </message>
    <message>
        <source>Channel Setting:</source>
        <translation>信道设置：</translation>
    </message>
    <message>
        <source>Failed to start print job.</source>
        <translation>无法启动打印作业。</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Rx(MHz)</source>
        <translation>接收(MHz)</translation>
    </message>
    <message>
        <source>Tx(MHz)</source>
        <translation>发射(MHz)</translation>
    </message>
    <message>
        <source>Rx Tone</source>
        <translation>接收亚音</translation>
    </message>
    <message>
        <source>Tx Tone</source>
        <translation>发射亚音</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>遇忙禁发</translation>
    </message>
</context>
<context>
    <name>ProgressDlg</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Verify after writing</source>
        <translation>写频后校验</translation>
    </message>
    <message>
        <source>Progress：</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>   Not start yet</source>
        <translation>尚未开始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>The settings file %1 is not a regular file. The program starts with its default settings and leaves that file alone.</source>
        <translation>设置文件 %1 不是普通文件。程序将以默认设置启动，不会改动该文件。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read. The program starts with its default settings and leaves that file alone.</source>
        <translation>无法读取设置文件 %1。程序将以默认设置启动，不会改动该文件。</translation>
    </message>
</context>
<context>
    <name>TestModeController</name>
    <message>
        <source>Orvo</source>
        <translation>Orvo</translation>
    </message>
</context>
<context>
    <name>TransferController</name>
    <message>
        <source>Reading Data Progress</source>
        <translation>读频进度</translation>
    </message>
    <message>
        <source>Writing Data Progress</source>
        <translation>写频进度</translation>
    </message>
    <message>
        <source>Verify With Radio</source>
        <translation>校验对讲机</translation>
    </message>
    <message>
        <source>Read from radio</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>Written and verified: the radio holds what was written.</source>
        <translation>写频并校验通过：对讲机中的数据与写入的一致。</translation>
    </message>
    <message>
        <source>A transfer with the radio is running.
Cancel it and close the program when it has stopped?</source>
        <translation>正在与对讲机传输数据。
是否取消传输，并在传输停止后关闭程序？</translation>
    </message>
</context>
<context>
    <name>VerifyDialog</name>
    <message>
        <source>Verify With Radio</source>
        <translation>校验对讲机</translation>
    </message>
    <message>
        <source>What</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>当前数据</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>对讲机</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>数据块</translation>
    </message>
    <message>
        <source>The radio holds what the document holds.</source>
        <translation>校验通过：对讲机中的数据与当前数据一致。</translation>
    </message>
    <message>
        <source>Byte</source>
        <translation>字节</translation>
    </message>
    <message>
        <source>The radio&apos;s channels and settings equal the document&apos;s.</source>
        <translation>校验通过：对讲机的信道和设置与当前数据一致。</translation>
    </message>
    <message>
        <source>The radio&apos;s channels and settings differ from the document&apos;s in 1 field:</source>
        <translation>对讲机的信道和设置与当前数据有 1 项不一致：</translation>
    </message>
    <message>
        <source>The radio&apos;s channels and settings differ from the document&apos;s in %1 fields:</source>
        <translation>对讲机的信道和设置与当前数据有 %1 项不一致：</translation>
    </message>
    <message>
        <source>1 empty channel differs only in unused bytes: a Write makes it equal.</source>
        <translation>1 个空信道仅在未使用的字节上不一致：写频后即一致。</translation>
    </message>
    <message>
        <source>%1 empty channels differ only in unused bytes: a Write makes them equal.</source>
        <translation>%1 个空信道仅在未使用的字节上不一致：写频后即一致。</translation>
    </message>
    <message>
        <source>%1 channel(s) differ also in bytes that no column shows.</source>
        <translation>%1 个信道在未显示于任何列的字节上也不一致。</translation>
    </message>
    <message>
        <source>%1 byte(s) outside the channels differ where no setting shows them.</source>
        <translation>信道以外有 %1 个字节不一致，没有任何设置显示它们。</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>详细信息(&amp;D)</translation>
    </message>
</context>
<context>
    <name>orvo</name>
    <message>
        <source>Now are detecting Communication Port,Please wait...</source>
        <translation>正在检测通信端口，请稍候…</translation>
    </message>
    <message>
        <source>Waiting the response from radio....</source>
        <translation>正在等待对讲机响应…</translation>
    </message>
    <message>
        <source>Communication Error，Please check all the connections and the radio power</source>
        <translation>通信错误，请检查所有连接和对讲机电源</translation>
    </message>
    <message>
        <source> Error in the Send Order</source>
        <translation>发送指令出错</translation>
    </message>
    <message>
        <source>Error had happen,please try again</source>
        <translation>发生错误，请重试</translation>
    </message>
    <message>
        <source>not received enough  byte</source>
        <translation>接收的字节数不足</translation>
    </message>
    <message>
        <source>The radio now holds part of the new data. Write to the radio again before using it.</source>
        <translation>对讲机现在只有部分新数据。使用前请重新写频。</translation>
    </message>
    <message>
        <source>Could not Open the Port,Please check whether the Port are occupied or the device are ok</source>
        <translation>无法打开端口，请检查端口是否被占用或设备是否正常</translation>
    </message>
    <message>
        <source>The radio does not hold what was written:</source>
        <translation>对讲机中的数据与写入的不一致：</translation>
    </message>
    <message>
        <source>(no device)</source>
        <translation>（无设备）</translation>
    </message>
    <message>
        <source> Error had happen ,need try again</source>
        <translation>发生错误，需要重试</translation>
    </message>
    <message>
        <source>Finish successfully!</source>
        <translation>调试数据写入成功！</translation>
    </message>
    <message>
        <source>No adjustment item is chosen. Please choose one under &quot;Debug Item&quot;.</source>
        <translation>未选择调试项目。请在“调试项目”下选择一项。</translation>
    </message>
    <message>
        <source>No receive tone is chosen. Please choose one in the receive tone list.</source>
        <translation>未选择接收亚音。请在接收亚音列表中选择一项。</translation>
    </message>
    <message>
        <source>No transmit tone is chosen. Please choose one in the transmit tone list.</source>
        <translation>未选择发射亚音。请在发射亚音列表中选择一项。</translation>
    </message>
    <message>
        <source>Error Data Format，Please input again</source>
        <translation>数据格式错误，请重新输入</translation>
    </message>
    <message>
        <source>Out of range!</source>
        <translation>超出范围！</translation>
    </message>
    <message>
        <source>Error data Value，Please input according the step value(6.25K/5k)</source>
        <translation>数据值错误，请按步进值（6.25 kHz / 5 kHz）输入</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>机型</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>按键音</translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation>省电</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪等级</translation>
    </message>
    <message>
        <source>Tx Total Time(s)</source>
        <translation>发射限时(秒)</translation>
    </message>
    <message>
        <source>Voice Annuciation</source>
        <translation>语音提示</translation>
    </message>
    <message>
        <source>Moni</source>
        <translation>监听</translation>
    </message>
    <message>
        <source>Urgency Call           Switch</source>
        <translation>紧急报警开关</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Monitor  Momentary</source>
        <translation>按住监听</translation>
    </message>
    <message>
        <source>Monitor Lock</source>
        <translation>监听锁定</translation>
    </message>
    <message>
        <source>SQ-Off Momentary</source>
        <translation>按住静噪关闭</translation>
    </message>
    <message>
        <source>Local Alert </source>
        <translation>本机报警</translation>
    </message>
    <message>
        <source>Local Alert TX Alert</source>
        <translation>本机+远程报警</translation>
    </message>
    <message>
        <source>TX Alert </source>
        <translation>远程报警</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Receive(MHz)</source>
        <translation>接收(MHz)</translation>
    </message>
    <message>
        <source>Transmit(MHz)</source>
        <translation>发射(MHz)</translation>
    </message>
    <message>
        <source>Rx Tone</source>
        <translation>接收亚音</translation>
    </message>
    <message>
        <source>Tx Tone</source>
        <translation>发射亚音</translation>
    </message>
    <message>
        <source>Busy</source>
        <translation>遇忙禁发</translation>
    </message>
    <message>
        <source>W/N</source>
        <translation>宽/窄带</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>宽带</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>窄带</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>High</source>
        <translation>高</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>Mixed</source>
        <translation>混合</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>校验通过</translation>
    </message>
    <message>
        <source>different</source>
        <translation>不一致</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>not opened</source>
        <translation>未能打开</translation>
    </message>
    <message>
        <source>The radio was written; only the check after writing failed, so what it holds was not compared.</source>
        <translation>对讲机已写入；只是写频后的校验失败，因此未比对其中的数据。</translation>
    </message>
    <message>
        <source>The radio was written; the check after writing was cancelled, so what it holds was not compared.</source>
        <translation>对讲机已写入；写频后的校验已取消，因此未比对其中的数据。</translation>
    </message>
    <message>
        <source>written, not verified</source>
        <translation>已写入，未校验</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>Could not Open the Port,Please check whether the Port are occupied or the device are ok
%1</source>
        <translation>无法打开端口，请检查端口是否被占用或设备是否正常
%1</translation>
    </message>
    <message>
        <source>%1 has no device</source>
        <translation>%1 没有对应的设备</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>The value %1 cannot be sent. The value must lie between 0 and 255.</source>
        <translation>数值 %1 无法发送。数值必须在 0 到 255 之间。</translation>
    </message>
    <message>
        <source>The receive frequency %1 cannot be sent. Frequencies must lie between 0 and 999.99999 MHz.</source>
        <translation>接收频率 %1 无法发送。频率必须在 0 到 999.99999 MHz 之间。</translation>
    </message>
    <message>
        <source>The transmit frequency %1 cannot be sent. Frequencies must lie between 0 and 999.99999 MHz.</source>
        <translation>发射频率 %1 无法发送。频率必须在 0 到 999.99999 MHz 之间。</translation>
    </message>
    <message>
        <source>The receive tone %1 cannot be sent. Tones must lie between 0 and 999.9 Hz.</source>
        <translation>接收亚音 %1 无法发送。亚音必须在 0 到 999.9 Hz 之间。</translation>
    </message>
    <message>
        <source>The transmit tone %1 cannot be sent. Tones must lie between 0 and 999.9 Hz.</source>
        <translation>发射亚音 %1 无法发送。亚音必须在 0 到 999.9 Hz 之间。</translation>
    </message>
    <message>
        <source>block %1: %2</source>
        <translation>第 %1 块：%2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; -&gt; &quot;%3&quot;</source>
        <translation>%1：“%2” -&gt; “%3”</translation>
    </message>
    <message>
        <source>%1: %2 -&gt; %3</source>
        <translation>%1：%2 -&gt; %3</translation>
    </message>
    <message>
        <source>CH %1 %2</source>
        <translation>信道 %1 %2</translation>
    </message>
    <message>
        <source>byte %1</source>
        <translation>字节 %1</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 项</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is a link loop</source>
        <translation>无法写入 %1：它是循环链接</translation>
    </message>
    <message>
        <source>Cannot write %1: it is a link to a missing file</source>
        <translation>无法写入 %1：它是指向不存在文件的链接</translation>
    </message>
    <message>
        <source>Cannot open %1: it is %2, not a regular file</source>
        <translation>无法打开 %1：它是%2，不是普通文件</translation>
    </message>
    <message>
        <source>Cannot write %1: it is %2, not a regular file</source>
        <translation>无法写入 %1：它是%2，不是普通文件</translation>
    </message>
    <message>
        <source>Cannot open %1: it is not a regular file</source>
        <translation>无法打开 %1：它不是普通文件</translation>
    </message>
    <message>
        <source>Cannot write %1: it is not a regular file</source>
        <translation>无法写入 %1：它不是普通文件</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>命名管道</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>套接字</translation>
    </message>
    <message>
        <source>%1 is not a channel data file: it holds %2 bytes, fewer than the 1024 of a radio&apos;s memory.</source>
        <translation>%1 不是信道数据文件：它只有 %2 字节，少于对讲机存储的 1024 字节。</translation>
    </message>
    <message>
        <source>Cannot write %1: the report could not be drawn</source>
        <translation>无法写入 %1：无法生成报表</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>第 %1 行，%2 列：%3</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>……另有 %1 项</translation>
    </message>
    <message>
        <source>a quoted field is not closed</source>
        <translation>引号内的字段没有结束引号</translation>
    </message>
    <message>
        <source>text follows a closing quote</source>
        <translation>结束引号后还有文字</translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB; a channel table is far smaller</source>
        <translation>文件大于 1 MiB；信道表远比这小</translation>
    </message>
    <message>
        <source>line %1 is longer than 4 KiB; a channel table&apos;s lines are far shorter</source>
        <translation>第 %1 行超过 4 KiB；信道表的行远比这短</translation>
    </message>
    <message>
        <source>%1 fields expected, found %2</source>
        <translation>应有 %1 个字段，实有 %2 个</translation>
    </message>
    <message>
        <source>%1 is not a channel number from 1 to 16</source>
        <translation>%1 不是 1 到 16 的信道号</translation>
    </message>
    <message>
        <source>channel %1 is already given on line %2</source>
        <translation>信道 %1 已在第 %2 行给出</translation>
    </message>
    <message>
        <source>the header line is missing</source>
        <translation>缺少表头行</translation>
    </message>
    <message>
        <source>%1 is not a frequency in MHz such as 146.52000</source>
        <translation>%1 不是以 MHz 为单位的频率（如 146.52000）</translation>
    </message>
    <message>
        <source>%1 is outside the band %2</source>
        <translation>%1 超出频段 %2</translation>
    </message>
    <message>
        <source>%1 is not a tone; give a tone of the list (67.0 ... 254.1, D023N ... D754I), Off, nothing, or a tone field&apos;s two bytes such as 0xC012</source>
        <translation>%1 不是亚音；请填写列表中的亚音（67.0 ... 254.1、D023N ... D754I）、Off、留空，或亚音字段的两个字节（如 0xC012）</translation>
    </message>
    <message>
        <source>%1 is neither %2 nor %3</source>
        <translation>%1 既不是 %2 也不是 %3</translation>
    </message>
    <message>
        <source>a channel without a frequency takes no %1 setting</source>
        <translation>没有频率的信道不能设置 %1</translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB; a memory list is far smaller</source>
        <translation>文件大于 1 MiB；信道列表远比这小</translation>
    </message>
    <message>
        <source>the header names this column twice</source>
        <translation>表头中此列出现了两次</translation>
    </message>
    <message>
        <source>the header lacks it</source>
        <translation>表头中缺少此列</translation>
    </message>
    <message>
        <source>%1 is not %2</source>
        <translation>%1 不是%2</translation>
    </message>
    <message>
        <source>a channel of this radio (1 to 16)</source>
        <translation>本机的信道（1 到 16）</translation>
    </message>
    <message>
        <source>a frequency in MHz such as 146.520000</source>
        <translation>以 MHz 为单位的频率（如 146.520000）</translation>
    </message>
    <message>
        <source>a duplex: give nothing, +, -, split or off</source>
        <translation>有效的 Duplex：请留空或填写 +、-、split、off</translation>
    </message>
    <message>
        <source>an offset in MHz such as 0.600000</source>
        <translation>以 MHz 为单位的频差（如 0.600000）</translation>
    </message>
    <message>
        <source>a CTCSS tone of the list (67.0 ... 254.1)</source>
        <translation>列表中的模拟亚音（67.0 ... 254.1）</translation>
    </message>
    <message>
        <source>a DCS code of the list (023 ... 754)</source>
        <translation>列表中的数字亚音码（023 ... 754）</translation>
    </message>
    <message>
        <source>a cross mode: give Tone-&gt;Tone, Tone-&gt;DTCS, DTCS-&gt;Tone, DTCS-&gt;DTCS, Tone-&gt;, DTCS-&gt;, -&gt;Tone or -&gt;DTCS</source>
        <translation>有效的 CrossMode：请填写 Tone-&gt;Tone、Tone-&gt;DTCS、DTCS-&gt;Tone、DTCS-&gt;DTCS、Tone-&gt;、DTCS-&gt;、-&gt;Tone 或 -&gt;DTCS</translation>
    </message>
    <message>
        <source>a tone mode: give nothing, Tone, TSQL, DTCS or Cross</source>
        <translation>有效的亚音类型：请留空或填写 Tone、TSQL、DTCS、Cross</translation>
    </message>
    <message>
        <source>a DCS polarity: give two letters N (normal) or R (reversed), transmit then receive, such as NN</source>
        <translation>有效的数字亚音极性：请填写两个字母 N（正常）或 R（反相），先发射后接收，如 NN</translation>
    </message>
    <message>
        <source>a mode this radio has: give FM (wide) or NFM (narrow)</source>
        <translation>本机支持的模式：请填写 FM（宽带）或 NFM（窄带）</translation>
    </message>
    <message>
        <source>a scan setting: give nothing (scanned) or S (skipped)</source>
        <translation>有效的扫描设置：请留空（加入）或填写 S（跳过）</translation>
    </message>
    <message>
        <source>a power: give High, Low or watts such as 5.0W</source>
        <translation>有效的功率：请填写 High、Low 或瓦数（如 5.0W）</translation>
    </message>
    <message>
        <source>the transmit frequency %1</source>
        <translation>发射频率 %1</translation>
    </message>
    <message>
        <source>the transmit frequency %1: %2</source>
        <translation>发射频率 %1：%2</translation>
    </message>
    <message>
        <source>is left out: %1</source>
        <translation>未导出：%1</translation>
    </message>
    <message>
        <source>its %1 %2 lies outside 60 - 600 MHz or off the 6.25 / 5 kHz raster</source>
        <translation>其 %1 %2 超出 60 - 600 MHz 或不在 6.25 / 5 kHz 步进上</translation>
    </message>
    <message>
        <source>its %1 %2 is not in the tone table</source>
        <translation>其 %1 %2 不在亚音表中</translation>
    </message>
    <message>
        <source>has a transmit frequency only: its line leaves Frequency empty, which other programs may refuse</source>
        <translation>只有发射频率：该行的 Frequency 为空，其他写频软件可能不接受</translation>
    </message>
    <message>
        <source>the common memory CSV has no Busy column: Busy Yes of channel %1 is not written</source>
        <translation>通用信道 CSV（兼容其他写频软件）没有“遇忙禁发”列：信道 %1 的“遇忙禁发 是”未写入</translation>
    </message>
    <message>
        <source>the common memory CSV has no Busy column: Busy Yes of channels %1 is not written</source>
        <translation>通用信道 CSV（兼容其他写频软件）没有“遇忙禁发”列：信道 %1 的“遇忙禁发 是”未写入</translation>
    </message>
    <message>
        <source>channel %1 %2</source>
        <translation>信道 %1 %2</translation>
    </message>
    <message>
        <source>%1 is not a tone of the list</source>
        <translation>%1 不是列表中的亚音</translation>
    </message>
    <message>
        <source>a channel without a frequency takes no setting</source>
        <translation>没有频率的信道不能设置此项</translation>
    </message>
    <message>
        <source>8 or 9 columns expected, found %1</source>
        <translation>应有 8 或 9 列，实有 %1 列</translation>
    </message>
    <message>
        <source>Channel %1 Receive %2 lies outside %3</source>
        <translation>信道 %1 接收频率 %2 超出 %3</translation>
    </message>
    <message>
        <source>Channel %1 Transmit %2 lies outside %3</source>
        <translation>信道 %1 发射频率 %2 超出 %3</translation>
    </message>
    <message>
        <source>the first line must be the header of a channel table (CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power) or of a memory CSV (Location,Name,Frequency,…, with at least Location and Frequency)</source>
        <translation>第一行必须是信道表的表头（CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power）或通用信道 CSV 的表头（Location,Name,Frequency,…，至少含 Location 和 Frequency）</translation>
    </message>
    <message>
        <source>%1 has digits below 10 Hz, finer than this radio keeps frequencies</source>
        <translation>%1 含有低于 10 Hz 的位数，超出本机保存频率的精度</translation>
    </message>
    <message>
        <source>no channel left after channel 16</source>
        <translation>信道 16 之后已无信道</translation>
    </message>
    <message>
        <source>column %1: %2</source>
        <translation>%1 列：%2</translation>
    </message>
    <message>
        <source>line %1: skipped: %2</source>
        <translation>第 %1 行：跳过：%2</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>BatchDialog</name>
    <message>
        <source>写入并校验成功</source>
        <translation>Written and verified</translation>
    </message>
    <message>
        <source>已写入 (未校验)</source>
        <translation>Written (not verified)</translation>
    </message>
    <message>
        <source>校验失败</source>
        <translation>Verify failed</translation>
    </message>
    <message>
        <source>校验失败: </source>
        <translation>Verify failed: </translation>
    </message>
    <message>
        <source>跳过: 机型不同</source>
        <translation>Skipped: other model</translation>
    </message>
    <message>
        <source>失败: </source>
        <translation>Failed: </translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source> 写入中...</source>
        <translation> writing...</translation>
    </message>
    <message>
        <source>错误: </source>
        <translation>Error: </translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>电台中没有可以显示的数据 (可能从未写过), 无法列出改动。</source>
        <translation>The radio holds nothing that can be shown (never written?); the changes cannot be listed.</translation>
    </message>
    <message>
        <source>许可证: %1</source>
        <translation>Licence: %1</translation>
    </message>
</context>
<context>
    <name>Codec</name>
    <message>
        <source>768 个字节都是 00</source>
        <translation>all 768 bytes are 00</translation>
    </message>
    <message>
        <source>768 个字节都是 FF, 电台从未写入过数据</source>
        <translation>all 768 bytes are FF: the radio has never been programmed</translation>
    </message>
    <message>
        <source>固定字节</source>
        <translation>fixed bytes</translation>
    </message>
    <message>
        <source>空白区 (应为 0)</source>
        <translation>blank area (should be 0)</translation>
    </message>
    <message>
        <source>机型标识</source>
        <translation>model identity</translation>
    </message>
    <message>
        <source>厂家签名</source>
        <translation>maker signature</translation>
    </message>
    <message>
        <source>功能设置</source>
        <translation>Functions</translation>
    </message>
    <message>
        <source>按键设置</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>: 不是以 MHz 为单位的频率 (例如 145.00000)</source>
        <translation>: is no frequency in MHz (such as 145.00000)</translation>
    </message>
    <message>
        <source>0x290 起的机型与频段块没有电台数据的标记</source>
        <translation>the model and band block at 0x290 lacks the mark of radio data</translation>
    </message>
    <message>
        <source>%1 (%2) 不是每份电台数据都有的固定字节</source>
        <translation>%1 (%2) does not hold the fixed bytes every radio image has</translation>
    </message>
    <message>
        <source>有 768 字节, 但不是电台数据: %1</source>
        <translation>768 bytes, but not radio data: %1</translation>
    </message>
    <message>
        <source>数据中写明的机型是第 %1 号, 而指定的是第 %2 号</source>
        <translation>the data is for model %1, but model %2 was given</translation>
    </message>
    <message>
        <source>数据中写明的机型是第 %1 号, 而文件名中的是第 %2 号</source>
        <translation>the data is for model %1, but the file name says model %2</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX tone</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX freq</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX tone</translation>
    </message>
    <message>
        <source>时钟拍频/宽带/子频段</source>
        <translation>Beat shift/Wide/Sub-band</translation>
    </message>
    <message>
        <source>繁忙锁定/发射功率/信道扫描</source>
        <translation>Busy lock/TX power/Scan</translation>
    </message>
    <message>
        <source>频段范围</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>电池省电使能</source>
        <translation>Battery saver</translation>
    </message>
    <message>
        <source>没有选定任何选项</source>
        <translation>no option chosen</translation>
    </message>
    <message>
        <source>下限 &quot;%1&quot; 不是数字</source>
        <translation>lower limit &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>上限 &quot;%1&quot; 不是数字</source>
        <translation>upper limit &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>下限 %1 大于上限 %2</source>
        <translation>lower limit %1 is above upper limit %2</translation>
    </message>
    <message>
        <source>没有填写频率</source>
        <translation>no frequency entered</translation>
    </message>
    <message>
        <source>不是以 MHz 为单位的频率 (例如 145.00000)</source>
        <translation>is no frequency in MHz (such as 145.00000)</translation>
    </message>
    <message>
        <source>不在 6.25 kHz 或 2.5 kHz 频点上</source>
        <translation>not on a 6.25 kHz or 2.5 kHz step</translation>
    </message>
    <message>
        <source>不是有效的频率</source>
        <translation>not a valid frequency</translation>
    </message>
    <message>
        <source>超出频段范围 %1-%2 MHz</source>
        <translation>outside the band %1-%2 MHz</translation>
    </message>
    <message>
        <source>不是本列的选项</source>
        <translation>not an option of this column</translation>
    </message>
    <message>
        <source>不是有效的亚音 (请从亚音列表中选择)</source>
        <translation>not a valid tone (choose one from the tone list)</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>RTS/CTS 流控</source>
        <translation>RTS/CTS flow control</translation>
    </message>
    <message>
        <source>XON/XOFF 流控</source>
        <translation>XON/XOFF flow control</translation>
    </message>
    <message>
        <source>无流控</source>
        <translation>no flow control</translation>
    </message>
    <message>
        <source>%1 波特, %2, %3</source>
        <translation>%1 baud, %2, %3</translation>
    </message>
    <message>
        <source>回环</source>
        <translation>Loopback</translation>
    </message>
    <message>
        <source>发出的 %1 个字节原样收回: 适配器和线的 TX/RX 正常</source>
        <translation>the %1 bytes sent came back unchanged: adapter and cable TX/RX are good</translation>
    </message>
    <message>
        <source>发出 %1 个字节，什么也没收回。请确认线的 TX 与 RX 已短接且没有接电台；短接后仍收不回，说明适配器或其驱动有问题</source>
        <translation>sent %1 bytes, nothing came back. Make sure TX and RX of the cable are bridged and no radio is connected; if nothing comes back with them bridged, the adapter or its driver is at fault</translation>
    </message>
    <message>
        <source>发出 %1 个字节，收回 %2 个字节但内容不同: 波特率或线路设置不符，或线上有干扰</source>
        <translation>sent %1 bytes, got %2 bytes back but different ones: wrong baud rate or line settings, or interference on the line</translation>
    </message>
    <message>
        <source>串口存在</source>
        <translation>Port present</translation>
    </message>
    <message>
        <source>权限</source>
        <translation>Permission</translation>
    </message>
    <message>
        <source>用户 %1 可以读写 %2</source>
        <translation>user %1 may read and write %2</translation>
    </message>
    <message>
        <source>占用</source>
        <translation>In use</translation>
    </message>
    <message>
        <source>没有其他程序打开它</source>
        <translation>no other program has it open</translation>
    </message>
    <message>
        <source>抢占串口的服务</source>
        <translation>Services that grab ports</translation>
    </message>
    <message>
        <source>没有发现 ModemManager 或 brltty</source>
        <translation>no ModemManager or brltty found</translation>
    </message>
    <message>
        <source>%1 正在运行，可能在插入编程线时占用它。修复: %2</source>
        <translation>%1 is running and may take the cable when it is plugged in. Fix: %2</translation>
    </message>
    <message>
        <source>%1 已安装，可能在插入编程线时占用它。修复: %2</source>
        <translation>%1 is installed and may take the cable when it is plugged in. Fix: %2</translation>
    </message>
    <message>
        <source>延迟计时器</source>
        <translation>Latency timer</translation>
    </message>
    <message>
        <source>%1 毫秒</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 毫秒: 每个短应答要多等最多 %1 毫秒 (打开串口时会请求低延迟模式)。修复: %2 ；长期有效: udev 规则 %3</source>
        <translation>%1 ms: every short answer may wait up to %1 ms longer (low-latency mode is requested when the port is opened). Fix: %2 ; to keep it: udev rule %3</translation>
    </message>
    <message>
        <source>不是带延迟计时器的 USB 适配器</source>
        <translation>not a USB adapter with a latency timer</translation>
    </message>
    <message>
        <source>线路设置</source>
        <translation>Line settings</translation>
    </message>
    <message>
        <source>串口打不开，未设置 (见上)</source>
        <translation>the port does not open, not set (see above)</translation>
    </message>
    <message>
        <source>电台应答</source>
        <translation>Radio answer</translation>
    </message>
    <message>
        <source>读握手得到应答: 型号 %1 (%2)</source>
        <translation>the read handshake was answered: model %1 (%2)</translation>
    </message>
    <message>
        <source>读握手发出 2 次，每次等 %1 毫秒，没有应答。请确认编程线插紧在电台上、电台已开机，波特率为电台所用 (通常 9600)</source>
        <translation>read handshake sent twice, waiting %1 ms each time, no answer. Make sure the cable is firmly in the radio, the radio is on, and the baud rate is the radio&apos;s (usually 9600)</translation>
    </message>
    <message>
        <source>串口打不开，未检测</source>
        <translation>the port does not open, not checked</translation>
    </message>
    <message>
        <source>电台已应答: 回环只在短接 TX 与 RX、不接电台时检测</source>
        <translation>a radio answered: loopback is checked only with TX and RX bridged and no radio connected</translation>
    </message>
    <message>
        <source>结论: 电台在 %1 应答，型号 %2。</source>
        <translation>Result: a radio answers on %1, model %2.</translation>
    </message>
    <message>
        <source>结论: %1 上没有电台应答。请先处理上面标 FAIL 的项目。</source>
        <translation>Result: no radio answers on %1. Deal with the items marked FAIL above first.</translation>
    </message>
    <message>
        <source>%1。KAVIR.ini 的 [ComPort] FlowControl=XON 使数据中的 0x11 和 0x13 字节被当作流控字符吞掉，电台的二进制数据无法通过: 请把它改为 None (或删除这一行)</source>
        <translation>%1. [ComPort] FlowControl=XON in KAVIR.ini takes the bytes 0x11 and 0x13 in the data for flow control characters, so the radio&apos;s binary data cannot pass: set it to None (or delete the line)</translation>
    </message>
    <message>
        <source>读握手发出 2 次，每次等 %1 毫秒，没有应答。先改正上面的流控设置再试</source>
        <translation>read handshake sent twice, waiting %1 ms each time, no answer. Correct the flow control setting above first, then try again</translation>
    </message>
    <message>
        <source>发出的字节没有原样收回。先改正上面的流控设置再试</source>
        <translation>The bytes sent did not come back as sent. Correct the flow control setting above first, then try again</translation>
    </message>
    <message>
        <source>未检测 (只在短接线的 TX 与 RX、不接电台时检测)</source>
        <translation>not tested (only with TX and RX of the cable bridged and no radio connected)</translation>
    </message>
    <message>
        <source>未要求 (%1: 短接线的 TX 与 RX，不接电台)</source>
        <translation>not asked for (%1: bridge TX and RX of the cable, no radio connected)</translation>
    </message>
</context>
<context>
    <name>Interchange</name>
    <message>
        <source>(空)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>功能设置</source>
        <translation>Functions</translation>
    </message>
    <message>
        <source>信道设置</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>电台中已经是要写入的数据, 没有不同。</source>
        <translation>The radio already holds exactly these settings; nothing differs.</translation>
    </message>
    <message numerus="yes">
        <source>%n 项不同</source>
        <translation>
            <numerusform>%n setting differs</numerusform>
            <numerusform>%n settings differ</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InterchangeCommands</name>
    <message>
        <source>电台镜像</source>
        <translation>Radio image</translation>
    </message>
    <message>
        <source>%1 是电台镜像文件。
它是哪个机型的?</source>
        <translation>%1 is a radio image file.
Which model is it from?</translation>
    </message>
    <message>
        <source>以下信道没有导出:
</source>
        <translation>These channels were not exported:
</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>file %1</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv) | *.csv | 所有文件 (*.*) | *.* ||</source>
        <translation>CSV Files (*.csv) | *.csv | All Files (*.*) | *.* ||</translation>
    </message>
    <message>
        <source>镜像文件 (*.img *.bin) | *.img;*.bin | 所有文件 (*.*) | *.* ||</source>
        <translation>img Files (*.img *.bin) | *.img;*.bin | All Files (*.*) | *.* ||</translation>
    </message>
    <message numerus="yes">
        <source>已导入 %n 个信道</source>
        <translation>
            <numerusform>%n channel imported</numerusform>
            <numerusform>%n channels imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已导出 %n 个信道</source>
        <translation>
            <numerusform>%n channel exported</numerusform>
            <numerusform>%n channels exported</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>读出的不是电台数据：屏幕上的数据没有改变。</source>
        <translation>What was read is no radio data: the screen is unchanged.</translation>
    </message>
    <message>
        <source>
读到的字节未能保存: </source>
        <translation>
The bytes read could not be saved: </translation>
    </message>
    <message>
        <source>
读到的 768 字节已保存为 %1。</source>
        <translation>
The 768 bytes read are saved as %1.</translation>
    </message>
    <message>
        <source>电台回答了, 但读出的不是电台数据: %1。
Read.ini 和屏幕上的数据没有改变。</source>
        <translation>The radio answered, but what was read is no radio data: %1.
Read.ini and the screen are unchanged.</translation>
    </message>
    <message>
        <source>
电台自己的%1与配置的不同, 已原样保留。</source>
        <translation>
The radio&apos;s own %1 differ from the configured ones and were kept as they were.</translation>
    </message>
    <message>
        <source>机型标识 &quot;%1&quot;, &quot;%2&quot;, 厂家签名 &quot;%3&quot;</source>
        <translation>model code &quot;%1&quot;, tag &quot;%2&quot; and maker&apos;s signature &quot;%3&quot;</translation>
    </message>
    <message>
        <source>第 %1 号机型</source>
        <translation>model no. %1</translation>
    </message>
    <message>
        <source>KAVIR.ini [WaitFor] %1=%2 超过最长的等待 %3 毫秒, 按 %3 毫秒等待。请改为 1 到 %3 之间的值 (通常为 80), 可在 工具 → 串口 中设置。</source>
        <translation>KAVIR.ini [WaitFor] %1=%2 is longer than the longest wait of %3 ms; waiting %3 ms. Set a value from 1 to %3 (usually 80) under Tools → Serial port.</translation>
    </message>
    <message>
        <source>串口号 %1 无效</source>
        <translation>Port number %1 is not valid</translation>
    </message>
    <message>
        <source>波特率 %1 无效</source>
        <translation>Baud rate %1 is not valid</translation>
    </message>
    <message>
        <source>握手超时</source>
        <translation>Handshake time-out</translation>
    </message>
    <message>
        <source>接收超时</source>
        <translation>Receive time-out</translation>
    </message>
    <message>
        <source>发送超时</source>
        <translation>Send time-out</translation>
    </message>
    <message>
        <source>%1 %2 毫秒无效（应为 1 到 %3）</source>
        <translation>%1 of %2 ms is not valid (1 to %3)</translation>
    </message>
    <message>
        <source>串口 %1 不接受线路设置: %2</source>
        <translation>Serial port %1 refuses the line settings: %2</translation>
    </message>
    <message>
        <source>提示信息!</source>
        <translation>KAVIR</translation>
    </message>
    <message>
        <source>
	您一定要进行数据读取吗 		

	 (   Y：是      N：不是   ) ?
</source>
        <translation>
	Read the radio now? 		

	 (   Y: Yes      N: No   ) ?
</translation>
    </message>
    <message>
        <source>
	您一定要进行机器(%s)数据写入吗? 		

	 (   Y：是      N：不是   ) ?
</source>
        <translation>
	Write the data into the radio (%s) now? 		

	 (   Y: Yes      N: No   ) ?
</translation>
    </message>
    <message>
        <source>
	握手过程发生通讯错误/超时连接 ! 需要重试吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>
	No answer or a wrong answer to the handshake. Try again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>
	接收第 %02d 个数据包时发生通讯错误/超时连接 ! 需要重试吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>
	No answer or a wrong answer receiving packet %02d. Try again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>
	发生通讯错误/超时连接 ! 需要重试吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>
	No answer or a wrong answer from the radio. Try again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>
	传输第 %02d 个数据包时发生通讯错误/超时连接 ! 需要重试吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>
	No answer or a wrong answer sending packet %02d. Try again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>
	电台回答的机型是 </source>
        <translation>
	The radio reports model </translation>
    </message>
    <message>
        <source>正在进行握手， 请稍候.......</source>
        <translation>Handshake, please wait.......</translation>
    </message>
    <message>
        <source>正在接收第 %02d 个数据包， 请稍候.......</source>
        <translation>Receiving packet %02d, please wait.......</translation>
    </message>
    <message>
        <source>正在传输第 %02d 个数据包， 请稍候.......</source>
        <translation>Sending packet %02d, please wait.......</translation>
    </message>
    <message>
        <source>正在进行数据刷新， 请稍候.......</source>
        <translation>Updating the screen, please wait.......</translation>
    </message>
    <message>
        <source>完毕!</source>
        <translation>Done!</translation>
    </message>
    <message>
        <source>串口未打开（读出或写入时再试）: </source>
        <translation>Serial port not open (tried again at read or write): </translation>
    </message>
    <message>
        <source>正在等待电台重新启动以便校验， 请稍候.......</source>
        <translation>Waiting for the radio to restart for the verify, please wait.......</translation>
    </message>
    <message>
        <source>正在校验第 %02d 个数据包， 请稍候.......</source>
        <translation>Verifying packet %02d, please wait.......</translation>
    </message>
    <message>
        <source>写入并校验完毕!</source>
        <translation>Written and verified!</translation>
    </message>
    <message>
        <source>
	写入后校验: 读回电台时发生通讯错误/超时连接 (</source>
        <translation>
	Verify after write: no answer or a wrong answer reading the radio back (</translation>
    </message>
    <message>
        <source>)。
	数据已经写入, 但没有校验。需要重新校验吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>).
	The data is written but not verified. Verify again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>写入后校验失败: 电台读回的数据与写入的数据不同。</source>
        <translation>Verify after write failed: the radio reads back other data than was written. </translation>
    </message>
    <message>
        <source>读出的数据未能保存: </source>
        <translation>The data read could not be saved: </translation>
    </message>
    <message>
        <source>Read.ini 无法读取: </source>
        <translation>Read.ini cannot be read: </translation>
    </message>
    <message>
        <source>读出的数据未能备份: </source>
        <translation>The data read could not be backed up: </translation>
    </message>
    <message>
        <source>串口设置没有改变: </source>
        <translation>Port settings not changed: </translation>
    </message>
    <message>
        <source>串口设置未能保存: </source>
        <translation>Port settings could not be saved: </translation>
    </message>
    <message>
        <source>读出已取消：屏幕上的数据没有改变。</source>
        <translation>Read cancelled: the data on screen is unchanged.</translation>
    </message>
    <message>
        <source>读出没有完成：屏幕上的数据没有改变。</source>
        <translation>Read not completed: the data on screen is unchanged.</translation>
    </message>
    <message>
        <source>读出完毕：已读出 16 个信道（其中 %1 个打开），机型 %2。</source>
        <translation>Read complete: 16 channels read (%1 enabled), model %2.</translation>
    </message>
    <message>
        <source>(未知)</source>
        <translation>(unknown)</translation>
    </message>
    <message>
        <source>
电台数据已备份为 backups/%1。</source>
        <translation>
The radio data is backed up as backups/%1.</translation>
    </message>
    <message>
        <source>写入完毕：已写入 %1 字节（%2 个数据包），电台逐包确认，读回校验一致。</source>
        <translation>Write complete: %1 bytes written (%2 packets), each acknowledged by the radio; the read-back matches.</translation>
    </message>
    <message>
        <source>写入完毕：已写入 %1 字节（%2 个数据包），电台逐包确认。</source>
        <translation>Write complete: %1 bytes written (%2 packets), each acknowledged by the radio.</translation>
    </message>
    <message>
        <source>写入后校验失败：电台中有 %1 个字节与写入的不同（见上一条消息）。
写入的和读回的数据都保存在 backups/ 文件夹中。请重新写入；仍然不同时电台可能有故障。</source>
        <translation>Verify after write failed: bytes in the radio that differ from what was written: %1 (see the previous message).
The data written and read back are both in the backups/ folder. Write again; if they still differ, the radio may be faulty.</translation>
    </message>
    <message>
        <source>数据已写入（%1 个数据包），但读回校验已取消：请再读一次电台确认其中的设置。</source>
        <translation>Data written (%1 packets), but the read-back verify was cancelled: read the radio again to check its settings.</translation>
    </message>
    <message>
        <source>数据已写入（%1 个数据包），但读回校验没有完成：请再读一次电台确认其中的设置。</source>
        <translation>Data written (%1 packets), but the read-back verify did not complete: read the radio again to check its settings.</translation>
    </message>
    <message>
        <source>写入已取消</source>
        <translation>Write cancelled</translation>
    </message>
    <message>
        <source>写入没有完成</source>
        <translation>Write not completed</translation>
    </message>
    <message>
        <source>：电台没有收下任何数据包，其中的设置没有改变。</source>
        <translation>: the radio took no packet; its settings are unchanged.</translation>
    </message>
    <message>
        <source>：电台只收下了 %1 / %2 个数据包。
电台中可能是新旧设置的混合，请重新写入后再使用。</source>
        <translation>: the radio took only %1 of %2 packets.
It may hold a mix of old and new settings; write it again before use.</translation>
    </message>
    <message>
        <source>
要写入的数据已备份在 backups/ 文件夹中（%1），每次从电台读出的数据也都保存在那里。</source>
        <translation>
The data to write is backed up in the backups/ folder (%1), as is every read from a radio.</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>第 %02d 个数据包</source>
        <translation>packet %02d</translation>
    </message>
    <message>
        <source>的地址不对</source>
        <translation> has a wrong address</translation>
    </message>
    <message>
        <source>没有收到</source>
        <translation> not received</translation>
    </message>
    <message>
        <source>不完整 (%1 字节)</source>
        <translation> incomplete (bytes received: %1)</translation>
    </message>
    <message>
        <source>电台对读出握手的回答不对</source>
        <translation>wrong answer to the read handshake</translation>
    </message>
    <message>
        <source>... 另有 %1 个字节不同
</source>
        <translation>... and %1 more (not listed)
</translation>
    </message>
    <message>
        <source>%1 %2: 写入 %3, 读回 %4
</source>
        <translation>%1 %2: written %3, read back %4
</translation>
    </message>
    <message>
        <source>%1，而当前数据的机型是 %2。		

	仍然要写入吗?  (   Y：写入      N：返回   ) ?
</source>
        <translation>%1, but the data is for model %2.		

	Write anyway?  (   Y: Write      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>(未选)</source>
        <translation>(none chosen)</translation>
    </message>
    <message>
        <source>写入前的备份未能保存，没有写入电台: </source>
        <translation>The backup before the write could not be saved; nothing was written: </translation>
    </message>
    <message>
        <source>电台是 %1，数据是 %2 的: 没有写入电台。</source>
        <translation>The radio is a %1, the data is for %2: nothing was written.</translation>
    </message>
    <message>
        <source>数据已经写入电台, 校验已取消。请再读一次电台确认。</source>
        <translation>The data is written; the verify was cancelled. Read the radio again to check.</translation>
    </message>
    <message>
        <source>数据已经写入电台, 但读回校验失败 (%1)。请再读一次电台确认。</source>
        <translation>The data is written, but the read-back failed (%1). Read the radio again to check.</translation>
    </message>
    <message>
        <source>%1 个字节不同:
</source>
        <translation>Bytes that differ (%1):
</translation>
    </message>
    <message>
        <source>两份数据已保存: %1 (写入), %2 (读回)。
</source>
        <translation>Both are saved: %1 (written), %2 (read back).
</translation>
    </message>
    <message>
        <source>两份数据未能保存: </source>
        <translation>The two images could not be saved: </translation>
    </message>
    <message>
        <source>请重新写入; 仍然不同时电台可能有故障。</source>
        <translation>Write again; if they still differ, the radio may be faulty.</translation>
    </message>
    <message>
        <source>KAVIR.ini [WaitFor] %1=%2 无法使用, 按默认的 %3 毫秒等待。请改为 1 到 %4 之间的值, 可在 工具 → 串口 中设置。</source>
        <translation>KAVIR.ini [WaitFor] %1=%2 cannot be used; waiting the default %3 ms. Set a value from 1 to %4 under Tools → Serial port.</translation>
    </message>
    <message>
        <source>
	串口无法打开 (%1) ! 需要重试吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>
	The serial port does not open (%1). Try again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>写入前读出电台原有数据: 正在进行握手， 请稍候.......</source>
        <translation>Reading the radio before the write: handshake, please wait.......</translation>
    </message>
    <message>
        <source>写入前读出电台原有数据: 第 %02d 个数据包， 请稍候.......</source>
        <translation>Reading the radio before the write: packet %02d, please wait.......</translation>
    </message>
    <message>
        <source>
	写入前读出电台原有数据时发生通讯错误/超时连接 (</source>
        <translation>
	No answer or a wrong answer reading the radio before the write (</translation>
    </message>
    <message>
        <source>)。
	还没有写入。需要重试吗 		

	 (   Y：重试      N：返回   ) ?
</source>
        <translation>).
	Nothing is written yet. Try again? 		

	 (   Y: Retry      N: Back   ) ?
</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>需要重试吗</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>需要重新校验吗</source>
        <translation>Verify again</translation>
    </message>
    <message>
        <source>仍然要写入吗</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>
写入前电台原有的数据已保存为 backups/%1，可以随时写回。</source>
        <translation>
What the radio held before the write is saved as backups/%1 and can be written back at any time.</translation>
    </message>
    <message>
        <source>读回时回答的电台是第 %1 号机型, 写入的电台是第 %2 号: 不是写入的那台电台</source>
        <translation>the radio answering the read-back is model %1, the radio written is model %2: not the radio written</translation>
    </message>
    <message>
        <source>串口无法打开: %1</source>
        <translation>the serial port does not open: %1</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 毫秒</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>电台在 %1内没有回答读出握手</source>
        <translation>the radio did not answer the read handshake within %1</translation>
    </message>
    <message>
        <source>电台原有的数据未能保存，没有写入电台: %1</source>
        <translation>What the radio held could not be saved; nothing was written to the radio: %1</translation>
    </message>
    <message>
        <source> (运行 kavir-cli doctor --port PORT 可逐项检查串口)</source>
        <translation> (&apos;kavir-cli doctor --port PORT&apos; checks the port step by step)</translation>
    </message>
    <message>
        <source>KAVIR.ini [ComPort] %1=%2 不是波特率, 按 9600 使用。</source>
        <translation>KAVIR.ini [ComPort] %1=%2 is not a baud rate; using 9600.</translation>
    </message>
    <message>
        <source>KAVIR.ini [ComPort] %1=%2 不是 5 到 8, 按 8 使用。</source>
        <translation>KAVIR.ini [ComPort] %1=%2 is not 5 to 8; using 8.</translation>
    </message>
    <message>
        <source>KAVIR.ini [ComPort] %1=%2 不是 N、E 或 O, 按 N 使用。</source>
        <translation>KAVIR.ini [ComPort] %1=%2 is not N, E or O; using N.</translation>
    </message>
    <message>
        <source>KAVIR.ini [ComPort] %1=%2 不是 1 或 2, 按 1 使用。</source>
        <translation>KAVIR.ini [ComPort] %1=%2 is not 1 or 2; using 1.</translation>
    </message>
    <message>
        <source>KAVIR.ini [ComPort] %1=%2 不是 None、RTS 或 XON, 按 None 使用。</source>
        <translation>KAVIR.ini [ComPort] %1=%2 is not None, RTS or XON; using None.</translation>
    </message>
    <message>
        <source>KAVIR.ini [ComPort] %1=%2 不是 0 或 1, 按 %3 使用。</source>
        <translation>KAVIR.ini [ComPort] %1=%2 is not 0 or 1; using %3.</translation>
    </message>
    <message>
        <source>
	与电台比较: 只读出电台的数据, 与屏幕比较 		
	屏幕上的数据保持不变, 电台也不会改变

	现在读出电台吗 (   Y：是      N：不是   ) ?
</source>
        <translation>
	Compare with Radio: the radio is only read and compared 		
	The screen stays as it is; nothing in the radio changes

	Read the radio now? (   Y: Yes      N: No   ) ?
</translation>
    </message>
    <message>
        <source>
	串口在传输中断开了 (编程线被拔出或设备已不存在): %1</source>
        <translation>
	The serial port went away during the transfer (cable unplugged or device gone): %1</translation>
    </message>
    <message>
        <source>
	串口 %1 在传输中断开过, 现在又可以打开了。</source>
        <translation>
	The serial port %1 went away during the transfer; it opens again now.</translation>
    </message>
</context>
<context>
    <name>Plan</name>
    <message>
        <source>错误</source>
        <translation>error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>写入检查</source>
        <translation>write check</translation>
    </message>
    <message>
        <source>许可证</source>
        <translation>licence</translation>
    </message>
    <message>
        <source>发射关闭</source>
        <translation>TX off</translation>
    </message>
    <message>
        <source>相同信道</source>
        <translation>same channels</translation>
    </message>
    <message>
        <source>同收异发</source>
        <translation>same receive</translation>
    </message>
    <message>
        <source>单向亚音</source>
        <translation>one-way tone</translation>
    </message>
    <message>
        <source>没有发现问题</source>
        <translation>nothing found</translation>
    </message>
    <message>
        <source>错误: %1, 警告: %2</source>
        <translation>errors: %1, warnings: %2</translation>
    </message>
    <message>
        <source>第 %1 行: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列: %3</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列 (%3): %4</source>
        <translation>line %1, column %2 (%3): %4</translation>
    </message>
    <message>
        <source>含有 NUL 字节: 不是文本文件</source>
        <translation>holds NUL bytes: not a text file</translation>
    </message>
    <message>
        <source>不是 UTF-8 文本 (请存为 UTF-8 的 CSV)</source>
        <translation>not UTF-8 text (save it as CSV in UTF-8)</translation>
    </message>
    <message>
        <source>引号没有闭合</source>
        <translation>a quoted field is not closed</translation>
    </message>
    <message>
        <source>没有标题行 (Frequency,MaxPower,Bandwidth,TX,Note)</source>
        <translation>no header line (Frequency,MaxPower,Bandwidth,TX,Note)</translation>
    </message>
    <message>
        <source>不认识的列名 (应为 Frequency, MaxPower, Bandwidth, TX, Note)</source>
        <translation>unknown column name (Frequency, MaxPower, Bandwidth, TX or Note)</translation>
    </message>
    <message>
        <source>这一列在第 %1 列已经有了</source>
        <translation>this column is column %1 already</translation>
    </message>
    <message>
        <source>没有 %1 列</source>
        <translation>no %1 column</translation>
    </message>
    <message>
        <source>这个单元格没有列名</source>
        <translation>this cell has no column name</translation>
    </message>
    <message>
        <source>没有填写</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 不是以 MHz 为单位的频率 (例如 451.02500)</source>
        <translation>&quot;%1&quot; is no frequency in MHz (such as 451.02500)</translation>
    </message>
    <message>
        <source>%1 MHz 在第 %2 行已经列出</source>
        <translation>%1 MHz is listed on line %2 already</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 不是功率: 应为 low 或 high (低 或 高)</source>
        <translation>&quot;%1&quot; is no power: low or high (低 or 高)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 不是带宽: 应为 narrow 或 wide (窄 或 宽, 12.5 或 25)</source>
        <translation>&quot;%1&quot; is no bandwidth: narrow or wide (窄 or 宽, 12.5 or 25)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 应为 yes 或 no (是 或 否)</source>
        <translation>&quot;%1&quot; is not yes or no (是 or 否)</translation>
    </message>
    <message>
        <source>许可证中没有列出任何频率</source>
        <translation>the licence lists no frequency</translation>
    </message>
    <message>
        <source>许可证中没有这个发射频率</source>
        <translation>not a transmit frequency of the licence</translation>
    </message>
    <message>
        <source>许可证只允许在这个频率上接收 (第 %1 行)</source>
        <translation>the licence allows only receiving here (line %1)</translation>
    </message>
    <message>
        <source>许可证在这个频率上只允许低功率 (第 %1 行)</source>
        <translation>the licence allows only low power here (line %1)</translation>
    </message>
    <message>
        <source>许可证在这个频率上只允许窄带 (第 %1 行)</source>
        <translation>the licence allows only narrow here (line %1)</translation>
    </message>
    <message>
        <source>不是 PMR446 的信道 (446.00625 至 446.19375 MHz, 每 12.5 kHz 一个)</source>
        <translation>not a PMR446 channel (446.00625 to 446.19375 MHz, one every 12.5 kHz)</translation>
    </message>
    <message>
        <source>PMR446 须收发同频 (接收频率为 %1)</source>
        <translation>PMR446 sends on the frequency it receives (RX freq is %1)</translation>
    </message>
    <message>
        <source>PMR446 只允许低功率</source>
        <translation>PMR446 allows only low power</translation>
    </message>
    <message>
        <source>PMR446 只允许窄带</source>
        <translation>PMR446 allows only narrow</translation>
    </message>
    <message>
        <source>TX 没有勾选: 这个与接收频率不同的发射频率不会使用</source>
        <translation>TX is off: this transmit frequency, other than the receive one, is never used</translation>
    </message>
    <message>
        <source>TX 没有勾选: 这个发射信令不会发出</source>
        <translation>TX is off: this transmit tone is never sent</translation>
    </message>
    <message>
        <source>只有发射带亚音: 接收信令是关</source>
        <translation>a tone on transmit only: the RX tone is off</translation>
    </message>
    <message>
        <source>只有接收带亚音: 发射信令是关, 用亚音接收的电台听不到本机</source>
        <translation>a tone on receive only: the TX tone is off, so radios that receive with a tone do not hear this one</translation>
    </message>
    <message>
        <source>每一项都与 %1 相同</source>
        <translation>the same as %1 in every field</translation>
    </message>
    <message>
        <source>接收频率和接收信令与 %1 相同, 发射却不同</source>
        <translation>receives as %1 does but transmits otherwise</translation>
    </message>
</context>
<context>
    <name>Ports</name>
    <message>
        <source>  (KAVIR.ini 所用)</source>
        <translation>  (used by KAVIR.ini)</translation>
    </message>
    <message>
        <source>适配器</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>Serial no.</translation>
    </message>
    <message>
        <source>驱动</source>
        <translation>Driver</translation>
    </message>
    <message>
        <source>可以打开: %1  占用: %2</source>
        <translation>Can open: %1  Held by: %2</translation>
    </message>
    <message>
        <source>是</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>no</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>延迟计时器: %1 毫秒</source>
        <translation>Latency timer: %1 ms</translation>
    </message>
    <message>
        <source>不能使用: %1</source>
        <translation>Not usable: %1</translation>
    </message>
    <message>
        <source>高</source>
        <translation>high</translation>
    </message>
    <message>
        <source>低</source>
        <translation>low</translation>
    </message>
    <message>
        <source> (此串口没有控制线, 未设置)</source>
        <translation> (this port has no control lines, not set)</translation>
    </message>
    <message>
        <source>, 低延迟模式已开启</source>
        <translation>, low-latency mode on</translation>
    </message>
    <message>
        <source>, 驱动不支持低延迟模式</source>
        <translation>, the driver has no low-latency mode</translation>
    </message>
    <message>
        <source>本机没有找到串口。</source>
        <translation>No serial ports found on this computer. </translation>
    </message>
    <message>
        <source>本机的串口: %1。</source>
        <translation>Serial ports on this computer: %1. </translation>
    </message>
    <message>
        <source>没有权限读写串口 %1 (它属于 %2 组)。请运行: sudo usermod -aG %2 %3 ，然后注销并重新登录 (新的登录才会生效)。</source>
        <translation>No permission to read and write serial port %1 (it belongs to group %2). Run: sudo usermod -aG %2 %3 , then log out and in again (only a new login takes effect).</translation>
    </message>
    <message>
        <source>没有权限读写串口 %1 (只有 root 可以读写)。请让管理员用 udev 规则把它交给 dialout 组: %2 ，再把用户加入该组并重新登录。</source>
        <translation>No permission to read and write serial port %1 (only root may). Ask the administrator to give it to the dialout group with a udev rule: %2 , then add the user to that group and log in again.</translation>
    </message>
    <message>
        <source>没有权限读写串口 %1 (只有 其所有者 可以读写)。请让管理员用 udev 规则把它交给 dialout 组: %2 ，再把用户加入该组并重新登录。</source>
        <translation>No permission to read and write serial port %1 (only its owner may). Ask the administrator to give it to the dialout group with a udev rule: %2 , then add the user to that group and log in again.</translation>
    </message>
    <message>
        <source>序列号 %1</source>
        <translation>serial no. %1</translation>
    </message>
    <message>
        <source>%1 (进程 %2)</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>串口 %1 正被其他程序使用: %2。请先关闭它，再重试。</source>
        <translation>Serial port %1 is in use by another program: %2. Close it first, then try again.</translation>
    </message>
    <message>
        <source>串口 %1 正被其他程序使用。请关闭正在使用它的程序 (如串口终端、另一个编程软件)，再重试。</source>
        <translation>Serial port %1 is in use by another program. Close the program using it (a serial terminal, other programming software), then try again.</translation>
    </message>
    <message>
        <source>串口 %1 不存在。%2请检查编程线是否插好，或选择其他串口。</source>
        <translation>Serial port %1 does not exist. %2Check that the programming cable is plugged in, or choose another port.</translation>
    </message>
    <message>
        <source>%1 不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。</source>
        <translation>%1 is not a serial port. Choose the programming cable&apos;s serial device (such as /dev/ttyUSB0).</translation>
    </message>
    <message>
        <source>无法打开串口 %1: %2</source>
        <translation>Cannot open serial port %1: %2</translation>
    </message>
    <message>
        <source>在 /etc/udev/rules.d/99-kavir-cable.rules 中写入 %1 ，然后运行 sudo udevadm control --reload-rules 并重新插入编程线</source>
        <translation>put %1 in /etc/udev/rules.d/99-kavir-cable.rules , then run sudo udevadm control --reload-rules and plug the cable in again</translation>
    </message>
    <message>
        <source>它会占用 CH340 等常见芯片的编程线。不用盲文显示器时运行 sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules (屏蔽它的 udev 规则)，然后重新插入编程线</source>
        <translation>it takes cables built on common chips such as the CH340. If no braille display is used, run sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules (masks its udev rule), then plug the cable in again</translation>
    </message>
    <message>
        <source>%1 是本程序所在的终端 (控制终端)，不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。</source>
        <translation>%1 is the terminal this program runs in (its controlling terminal), not a serial port. Choose the programming cable&apos;s serial device (such as /dev/ttyUSB0).</translation>
    </message>
    <message>
        <source>%1 是系统控制台，不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。</source>
        <translation>%1 is the system console, not a serial port. Choose the programming cable&apos;s serial device (such as /dev/ttyUSB0).</translation>
    </message>
    <message>
        <source>%1 是用来新建伪终端的设备 (ptmx)，不是串口。请选择编程线的串口设备 (如 /dev/ttyUSB0)。</source>
        <translation>%1 is the device that makes new pseudo-terminals (ptmx), not a serial port. Choose the programming cable&apos;s serial device (such as /dev/ttyUSB0).</translation>
    </message>
</context>
<context>
    <name>Profile</name>
    <message>
        <source>%1 的值含有既不是 UTF-8 也不是 GBK 的字节, 保存会改变它们: 没有保存。请先改正这个值。</source>
        <translation>%1 holds bytes that are neither UTF-8 nor GBK, and saving would change them: nothing was saved. Correct this value first.</translation>
    </message>
</context>
<context>
    <name>QtScreenUi</name>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>RadioCommands</name>
    <message>
        <source>电台</source>
        <translation>the radio</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>写入前备份电台数据</source>
        <translation>Back up the radio before a write</translation>
    </message>
    <message>
        <source>写入后校验</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>%1: 文件不存在, %2 的设置没有保存</source>
        <translation>%1: no such file; the %2 setting was not saved</translation>
    </message>
    <message>
        <source>%1 的设置未能保存: %2</source>
        <translation>The %1 setting could not be saved: %2</translation>
    </message>
    <message>
        <source>写入前列出改动</source>
        <translation>List changes before writing</translation>
    </message>
    <message>
        <source>许可证</source>
        <translation>licence</translation>
    </message>
    <message>
        <source>这个文件名不能用来记住许可证: %1</source>
        <translation>The licence cannot be remembered for this file name: %1</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>提示信息!</source>
        <translation>KAVIR</translation>
    </message>
    <message>
        <source>打印失败: 打印机无法开始打印。</source>
        <translation>Printing failed: the printer cannot start.</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>无法写入 PDF 文件:
</source>
        <translation>Cannot write the PDF file:
</translation>
    </message>
    <message>
        <source>发射定时限制:</source>
        <translation>TX time-out (TOT):</translation>
    </message>
    <message>
        <source>发射定时预警时间:</source>
        <translation>TOT pre-alert:</translation>
    </message>
    <message>
        <source>监听功能:</source>
        <translation>Monitor:</translation>
    </message>
    <message>
        <source>静态电平等级:</source>
        <translation>Squelch level:</translation>
    </message>
    <message>
        <source>BEEP音开关:</source>
        <translation>Key beep:</translation>
    </message>
    <message>
        <source>电池省电使能:</source>
        <translation>Battery saver:</translation>
    </message>
    <message>
        <source>语音报告功能:</source>
        <translation>Voice prompts:</translation>
    </message>
    <message>
        <source>报警模式选择:</source>
        <translation>Alarm mode:</translation>
    </message>
    <message>
        <source>整机正常运行控制:</source>
        <translation>Run control:</translation>
    </message>
    <message>
        <source>数据复制使能:</source>
        <translation>Cloning:</translation>
    </message>
    <message>
        <source>工厂自调测模式使能:</source>
        <translation>Factory tuning mode:</translation>
    </message>
    <message>
        <source>频道扫描控制:</source>
        <translation>Scan mode:</translation>
    </message>
    <message>
        <source>优先频道选择方式:</source>
        <translation>Priority channel mode:</translation>
    </message>
    <message>
        <source>优先频道设置:</source>
        <translation>Priority channel:</translation>
    </message>
    <message>
        <source>回扫周期A:</source>
        <translation>Look-back time A:</translation>
    </message>
    <message>
        <source>接收停留时间:</source>
        <translation>RX dwell time:</translation>
    </message>
    <message>
        <source>收信停止(跌落)延时:</source>
        <translation>RX resume delay:</translation>
    </message>
    <message>
        <source>发信停止(跌落)延时:</source>
        <translation>TX resume delay:</translation>
    </message>
    <message>
        <source>接收回复信道选择:</source>
        <translation>Talk-back channel:</translation>
    </message>
    <message>
        <source>发射信道选择:</source>
        <translation>TX channel:</translation>
    </message>
    <message>
        <source>指配信道设置:</source>
        <translation>Designated channel:</translation>
    </message>
    <message>
        <source>信道扫描方向:</source>
        <translation>Scan direction:</translation>
    </message>
    <message>
        <source>信道扫描速度:</source>
        <translation>Scan speed:</translation>
    </message>
    <message>
        <source>扫描声音使能:</source>
        <translation>Scan beep:</translation>
    </message>
    <message>
        <source>删除/追加使能:</source>
        <translation>Delete/add:</translation>
    </message>
    <message>
        <source>暂时删除使能:</source>
        <translation>Temporary delete:</translation>
    </message>
    <message>
        <source>接收</source>
        <translation>RX</translation>
    </message>
    <message>
        <source>发射</source>
        <translation>TX</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Ch</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX tone</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX freq</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX tone</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy lock</translation>
    </message>
    <message>
        <source>发射功率</source>
        <translation>TX power</translation>
    </message>
    <message>
        <source>信道扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>时钟拍频</source>
        <translation>Beat shift</translation>
    </message>
    <message>
        <source>宽带</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>%1对讲机编程信息</source>
        <translation>%1 programming report</translation>
    </message>
    <message>
        <source>文件名称:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>机器类型:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>工作模式:</source>
        <translation>Band mode:</translation>
    </message>
    <message>
        <source>频率范围:</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>常用参数</source>
        <translation>General</translation>
    </message>
    <message>
        <source>TOT发射定时限制</source>
        <translation>TOT (TX time-out)</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>扫描信息</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>信道设置</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>没有安装打印机, 无法打印。可以用 文件 → 导出PDF... 把报告保存为 PDF 文件。</source>
        <translation>No printer is installed, so nothing can be printed. File → Export PDF... saves the report as a PDF file.</translation>
    </message>
</context>
<context>
    <name>ReportCommands</name>
    <message>
        <source>已导出 PDF: %1</source>
        <translation>PDF exported: %1</translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>无法读取文件 </source>
        <translation>Cannot read the file </translation>
    </message>
    <message>
        <source>无法保存文件 </source>
        <translation>Cannot save the file </translation>
    </message>
    <message>
        <source>不是数据文件：其中没有 [Previous] 设置。</source>
        <translation>Not a data file: it holds no [Previous] settings.</translation>
    </message>
    <message>
        <source>不在信道表格内</source>
        <translation>outside the channel table</translation>
    </message>
    <message>
        <source>不是本列的选项</source>
        <translation>not an option of this column</translation>
    </message>
    <message>
        <source>信道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX tone</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX freq</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX tone</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy lock</translation>
    </message>
    <message>
        <source>发射功率</source>
        <translation>TX power</translation>
    </message>
    <message>
        <source>信道扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>时钟拍频</source>
        <translation>Beat shift</translation>
    </message>
    <message>
        <source>宽带</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>“%1”的修改尚未保存。

是否保存修改？</source>
        <translation>The changes to &quot;%1&quot; are not saved.

Save them?</translation>
    </message>
    <message>
        <source>打开所有通道！</source>
        <translation>All channels enabled!</translation>
    </message>
    <message>
        <source>关闭所有通道！</source>
        <translation>All channels disabled!</translation>
    </message>
    <message>
        <source>超出信道表格</source>
        <translation>outside the channel table</translation>
    </message>
    <message>
        <source>第%1行第%2列</source>
        <translation>row %1 column %2</translation>
    </message>
    <message>
        <source>提示信息!</source>
        <translation>KAVIR</translation>
    </message>
    <message>
        <source> 功 能 设 置 </source>
        <translation> Functions </translation>
    </message>
    <message>
        <source> 信 道 设 置 </source>
        <translation> Channels </translation>
    </message>
    <message>
        <source>频段范围：</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>键盘设置</source>
        <translation>Key settings</translation>
    </message>
    <message>
        <source>不是数据文件：其中没有 [Previous] 设置。屏幕保持不变，请打开 .dat 数据文件。</source>
        <translation>Not a data file: it holds no [Previous] settings. The screen is unchanged; open a .dat data file.</translation>
    </message>
    <message>
        <source>无法保存机器型号 </source>
        <translation>Cannot save the model </translation>
    </message>
    <message>
        <source>
	您需要改变机器型号吗 		

	 (Y：改变  N：不改变) ?
</source>
        <translation>
	Change the radio model? 		

	 (Y: Change  N: Keep) ?
</translation>
    </message>
    <message>
        <source>无法保存最近文件列表 </source>
        <translation>Cannot save the recent file list </translation>
    </message>
    <message>
        <source>正在打开数据， 请稍候.......</source>
        <translation>Opening the data, please wait.......</translation>
    </message>
    <message>
        <source>文件 %1 已不存在，已从最近文件列表中删除。</source>
        <translation>The file %1 no longer exists; it is removed from the recent file list.</translation>
    </message>
    <message>
        <source>正在进行数据保存， 请稍候.......</source>
        <translation>Saving the data, please wait.......</translation>
    </message>
    <message>
        <source>写入后校验失败!</source>
        <translation>Verify after write failed!</translation>
    </message>
    <message>
        <source>KAVIR.ini 不能使用: %1
没有选项列表，不能保存、写入、读出或改变机型。
请把程序的 KAVIR.ini 放回程序目录 %2 后重新启动。</source>
        <translation>KAVIR.ini cannot be used: %1
Without the option lists nothing can be saved, written, read or changed to another model.
Put the program&apos;s KAVIR.ini back into the program folder %2 and start again.</translation>
    </message>
    <message>
        <source>非法频点 %1, 不在 6.25 kHz 或 2.5 kHz 频点上</source>
        <translation>frequency %1 is not on a 6.25 kHz or 2.5 kHz step</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>错误, %1, 请重新输入.....</source>
        <translation>Error: %1. Enter it again.....</translation>
    </message>
    <message>
        <source>错误, %1, 请继续.....</source>
        <translation>Error: %1. Go on.....</translation>
    </message>
    <message>
        <source>是只读文件，没有写入（请去掉只读属性，或另存为其他文件名）</source>
        <translation>is read-only; nothing was written (make it writable or save under another name)</translation>
    </message>
    <message>
        <source>其中没有选项列表（缺少 [Type] 列表）</source>
        <translation>holds no option lists (no [Type] list)</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>是文件夹，不是文件</source>
        <translation>is a folder, not a file</translation>
    </message>
    <message>
        <source>是设备，不是文件</source>
        <translation>is a device, not a file</translation>
    </message>
    <message>
        <source>文件是只读的</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>没有给出文件名</source>
        <translation>no file name given</translation>
    </message>
    <message>
        <source>已有同名文件</source>
        <translation>a file of that name exists</translation>
    </message>
    <message>
        <source>读取错误</source>
        <translation>read error</translation>
    </message>
    <message>
        <source>；没有写入</source>
        <translation>; nothing was written</translation>
    </message>
    <message>
        <source>；文件可能正被其他程序打开: </source>
        <translation>; the file may be open in another program: </translation>
    </message>
    <message>
        <source>太大，本程序无法处理（超过 </source>
        <translation>is too large for this program (more than </translation>
    </message>
    <message>
        <source>太大，本程序无法处理（</source>
        <translation>is too large for this program (</translation>
    </message>
    <message>
        <source>打开失败</source>
        <translation>Open failed</translation>
    </message>
    <message>
        <source>保存失败</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>只有 1 字节, 而电台数据有 768 字节 (也不是含 [Previous] 设置的数据文件)</source>
        <translation>has 1 byte, a radio image has 768 (nor is it a data file with [Previous] settings)</translation>
    </message>
    <message>
        <source>有 %1 字节, 而电台数据有 768 字节 (也不是含 [Previous] 设置的数据文件)</source>
        <translation>has %1 bytes, a radio image has 768 (nor is it a data file with [Previous] settings)</translation>
    </message>
    <message>
        <source>%1 未能保存，没有写入电台: </source>
        <translation>%1 could not be saved; nothing was written: </translation>
    </message>
    <message>
        <source>第 %1 行的字节既不是 UTF-8 也不是 GBK 文字, 其中的值可能显示不对。</source>
        <translation>line %1 holds bytes that are neither UTF-8 nor GBK text; its value may be shown wrongly.</translation>
    </message>
    <message>
        <source>已打开 %1, 但:</source>
        <translation>%1 is open, but:</translation>
    </message>
    <message>
        <source>没有空间写入：磁盘已满或已到文件大小的上限（</source>
        <translation>no room to write: the disk is full or a file-size limit was reached (</translation>
    </message>
    <message>
        <source>文件夹 </source>
        <translation>the folder </translation>
    </message>
    <message>
        <source> 不能写入（</source>
        <translation> cannot be written (</translation>
    </message>
    <message>
        <source>改变</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>不改变</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>频率 %1 不在当前频率范围内 (%2 - %3 MHz)</source>
        <translation>frequency %1 is outside the band (%2 - %3 MHz)</translation>
    </message>
    <message>
        <source>错误, 您输入的频率:%1 不在当前频率范围内 (%2 - %3 MHz), 请继续.....</source>
        <translation>Error: the frequency %1 is outside the band (%2 - %3 MHz), go on.....</translation>
    </message>
    <message>
        <source>您输入的非法频点(%1) 不在 6.25 kHz 或 2.5 kHz 频点上, 无法通过较验, 请重新输入.....</source>
        <translation>The frequency %1 is not on a 6.25 kHz or 2.5 kHz step, enter it again.....</translation>
    </message>
    <message>
        <source>dat 文件 (*.dat) | *.dat | 所有文件 (*.*) | *.* ||</source>
        <translation>dat Files (*.dat) | *.dat | All Files (*.*) | *.* ||</translation>
    </message>
    <message>
        <source>数据文件和镜像 (*.dat *.img *.bin) | *.dat;*.img;*.bin | dat 文件 (*.dat) | *.dat | 镜像文件 (*.img *.bin) | *.img;*.bin | 所有文件 (*.*) | *.* ||</source>
        <translation>Data files and images (*.dat *.img *.bin) | *.dat;*.img;*.bin | dat Files (*.dat) | *.dat | Image files (*.img *.bin) | *.img;*.bin | All Files (*.*) | *.* ||</translation>
    </message>
    <message numerus="yes">
        <source>
……另有 %n 个单元格未接受</source>
        <translation>
            <numerusform>
... %n more cell not accepted</numerusform>
            <numerusform>
... %n more cells not accepted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已撤销 %n 处修改</source>
        <translation>
            <numerusform>%n change undone</numerusform>
            <numerusform>%n changes undone</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已重做 %n 处修改</source>
        <translation>
            <numerusform>%n change redone</numerusform>
            <numerusform>%n changes redone</numerusform>
        </translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>Saved %1</translation>
    </message>
</context>
<context>
    <name>Setup</name>
    <message>
        <source>KAVIR.ini [RadioIdentity] %1=&quot;%2&quot; 不是 %3 个 ASCII 字符, 仍用 &quot;%4&quot;</source>
        <translation>KAVIR.ini [RadioIdentity] %1=&quot;%2&quot; is not %3 ASCII characters; &quot;%4&quot; is used</translation>
    </message>
    <message>
        <source>发射定时限制</source>
        <translation>TX time-out</translation>
    </message>
    <message>
        <source>发射定时预警时间</source>
        <translation>TOT pre-alert</translation>
    </message>
    <message>
        <source>监听功能</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>静态电平等级</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <source>BEEP音开关</source>
        <translation>Key beep</translation>
    </message>
    <message>
        <source>语音报告功能</source>
        <translation>Voice prompts</translation>
    </message>
    <message>
        <source>报警模式选择</source>
        <translation>Alarm mode</translation>
    </message>
    <message>
        <source>整机正常运行控制</source>
        <translation>Run control</translation>
    </message>
    <message>
        <source>数据复制使能</source>
        <translation>Cloning</translation>
    </message>
    <message>
        <source>工厂自调测模式使能</source>
        <translation>Factory tuning</translation>
    </message>
    <message>
        <source>频道扫描控制</source>
        <translation>Scan mode</translation>
    </message>
    <message>
        <source>优先频道选择方式</source>
        <translation>Priority mode</translation>
    </message>
    <message>
        <source>优先频道设置</source>
        <translation>Priority channel</translation>
    </message>
    <message>
        <source>回扫周期</source>
        <translation>Look-back time</translation>
    </message>
    <message>
        <source>接收停留时间</source>
        <translation>RX dwell time</translation>
    </message>
    <message>
        <source>收信停止(跌落)延时</source>
        <translation>RX resume delay</translation>
    </message>
    <message>
        <source>发信停止(跌落)延时</source>
        <translation>TX resume delay</translation>
    </message>
    <message>
        <source>接收回复信道选择</source>
        <translation>Talk-back channel</translation>
    </message>
    <message>
        <source>发射信道选择</source>
        <translation>TX channel</translation>
    </message>
    <message>
        <source>指配信道设置</source>
        <translation>Designated channel</translation>
    </message>
    <message>
        <source>信道扫描方向</source>
        <translation>Scan direction</translation>
    </message>
    <message>
        <source>信道扫描速度</source>
        <translation>Scan speed</translation>
    </message>
    <message>
        <source>扫描声音使能</source>
        <translation>Scan beep</translation>
    </message>
    <message>
        <source>删除/追加使能</source>
        <translation>Delete/add</translation>
    </message>
    <message>
        <source>暂时删除使能</source>
        <translation>Temporary delete</translation>
    </message>
    <message>
        <source>机器类型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Band mode</translation>
    </message>
    <message>
        <source>PF1键</source>
        <translation>PF1 key</translation>
    </message>
    <message>
        <source>PF2键</source>
        <translation>PF2 key</translation>
    </message>
    <message>
        <source>PF3键</source>
        <translation>PF3 key</translation>
    </message>
    <message>
        <source>电池省电使能</source>
        <translation>Battery saver</translation>
    </message>
    <message>
        <source>频段范围(下限)</source>
        <translation>Band (lower limit)</translation>
    </message>
    <message>
        <source>频段范围(上限)</source>
        <translation>Band (upper limit)</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX tone</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX freq</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX tone</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy lock</translation>
    </message>
    <message>
        <source>发射功率</source>
        <translation>TX power</translation>
    </message>
    <message>
        <source>信道扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>时钟拍频</source>
        <translation>Beat shift</translation>
    </message>
    <message>
        <source>宽带</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>没有填写频率</source>
        <translation>no frequency entered</translation>
    </message>
    <message>
        <source>频率 &quot;%1&quot; 有不止一个小数点</source>
        <translation>frequency &quot;%1&quot; has more than one decimal point</translation>
    </message>
    <message>
        <source>频率 &quot;%1&quot; 含有 &quot;%2&quot;: 只能输入数字和一个小数点</source>
        <translation>frequency &quot;%1&quot; holds &quot;%2&quot;: only digits and one decimal point may be typed</translation>
    </message>
    <message>
        <source>频率 &quot;%1&quot; 不是数字</source>
        <translation>frequency &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>频率 &quot;%1&quot; 位数太多: 最多 8 位数字</source>
        <translation>frequency &quot;%1&quot; has too many digits: 8 at most</translation>
    </message>
    <message>
        <source>频率 &quot;%1&quot; 位数太多: 小数点前最多 3 位, 后面最多 5 位 (10 Hz)</source>
        <translation>frequency &quot;%1&quot; has too many digits: at most 3 before the decimal point and 5 after it (10 Hz)</translation>
    </message>
    <message>
        <source>亚音 &quot;%1&quot; 不在亚音列表内; 可以输入例如 88.5、CTCSS:88.5、023、D023N (正向)、D023I (反向) 或 关</source>
        <translation>tone &quot;%1&quot; is not in the tone list; type for example 88.5, CTCSS:88.5, 023, D023N (normal), D023I (inverted) or Off</translation>
    </message>
</context>
<context>
    <name>kavir::app::AboutDialog</name>
    <message>
        <source>关于 KAVIR</source>
        <translation>About KAVIR</translation>
    </message>
    <message>
        <source>%1 %2 版</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>16 信道手持对讲机编程软件</source>
        <translation>Programming software for 16-channel hand-held radios</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kavir::app::BatchDialog</name>
    <message>
        <source>批量写入</source>
        <translation>Batch write</translation>
    </message>
    <message>
        <source>写入的数据</source>
        <translation>Data to write</translation>
    </message>
    <message>
        <source>当前屏幕数据</source>
        <translation>The data on screen</translation>
    </message>
    <message>
        <source>文件:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>*.dat 数据文件或 768 字节的镜像</source>
        <translation>*.dat data file or a 768-byte image</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>选择数据文件</source>
        <translation>Choose a data file</translation>
    </message>
    <message>
        <source>数据文件 (*.dat *.ini *.bin);;所有文件 (*)</source>
        <translation>Data files (*.dat *.ini *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>一个或多个串口，用逗号分开: 1,2 或 /dev/ttyUSB0,/dev/ttyUSB1</source>
        <translation>One or more serial ports, separated by commas: 1,2 or /dev/ttyUSB0,/dev/ttyUSB1</translation>
    </message>
    <message>
        <source>串口:</source>
        <translation>Ports:</translation>
    </message>
    <message>
        <source>不限 (直到停止)</source>
        <translation>No limit (until stopped)</translation>
    </message>
    <message>
        <source> 台</source>
        <translation> radios</translation>
    </message>
    <message>
        <source>每个串口台数:</source>
        <translation>Radios per port:</translation>
    </message>
    <message>
        <source>写入后校验</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>记录文件:</source>
        <translation>Log file:</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>用时</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>串口号从 1 开始: </source>
        <translation>Port numbers start at 1: </translation>
    </message>
    <message>
        <source>请填写至少一个串口。</source>
        <translation>Enter at least one serial port.</translation>
    </message>
    <message>
        <source>没有写入任何电台:
</source>
        <translation>No radio was written:
</translation>
    </message>
    <message>
        <source>记录文件无法打开: </source>
        <translation>The log file cannot be opened: </translation>
    </message>
    <message>
        <source>正在停止: 正在写入的电台写完后结束。</source>
        <translation>Stopping: ends once the radios being written are done.</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source> (已停止)</source>
        <translation> (stopped)</translation>
    </message>
    <message>
        <source>
记录: </source>
        <translation>
Log: </translation>
    </message>
    <message numerus="yes">
        <source>共 %n 台: %1 台写入并校验成功, %2 台未校验, %3 台校验失败, %4 台跳过, %5 台失败%6。</source>
        <translation>
            <numerusform>%n radio: %1 written and verified, %2 not verified, %3 failed the verify, %4 skipped, %5 failed%6.</numerusform>
            <numerusform>%n radios: %1 written and verified, %2 not verified, %3 failed the verify, %4 skipped, %5 failed%6.</numerusform>
        </translation>
    </message>
    <message>
        <source>写入前备份电台数据 (并记录改动的项数)</source>
        <translation>Back up each radio before writing (and log the number of changes)</translation>
    </message>
    <message>
        <source>改动</source>
        <translation>Changes</translation>
    </message>
</context>
<context>
    <name>kavir::app::CMainFrame</name>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>跟随系统(&amp;S)</source>
        <translation>Follow &amp;system</translation>
    </message>
    <message>
        <source>语言的选择未能保存: </source>
        <translation>The language choice could not be saved: </translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>打开已有文档！</source>
        <translation>Open an existing file</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存当前文档</source>
        <translation>Save the file</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>数据另存为</source>
        <translation>Save the data under a new name</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>另存为镜像...</source>
        <translation>Save as Image...</translation>
    </message>
    <message>
        <source>把屏幕保存为写入电台的 768 字节镜像文件</source>
        <translation>Save the screen as the 768-byte image a write would send</translation>
    </message>
    <message>
        <source>导入CSV...</source>
        <translation>Import CSV...</translation>
    </message>
    <message>
        <source>从 CSV 信道表导入信道</source>
        <translation>Import channels from a CSV channel plan</translation>
    </message>
    <message>
        <source>导出CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <source>把信道导出为 CSV 信道表</source>
        <translation>Export the channels as a CSV channel plan</translation>
    </message>
    <message>
        <source>比较...</source>
        <translation>Compare...</translation>
    </message>
    <message>
        <source>比较屏幕与一个文件</source>
        <translation>Compare the screen with a file</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>打印活动文档</source>
        <translation>Print the report</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>显示整页</source>
        <translation>Show the whole page</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>Page Set&amp;up...</translation>
    </message>
    <message>
        <source>改变打印机及打印选项</source>
        <translation>Change the printer and its options</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>Page Setup</translation>
    </message>
    <message>
        <source>导出PDF...</source>
        <translation>Export PDF...</translation>
    </message>
    <message>
        <source>把编程报告保存为 PDF 文件</source>
        <translation>Save the programming report as a PDF file</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档</source>
        <translation>Quit the program; asks to save changes</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>读出(&amp;R)</source>
        <translation>&amp;Read</translation>
    </message>
    <message>
        <source>读取数据</source>
        <translation>Read the radio</translation>
    </message>
    <message>
        <source>读出 (Ctrl+R)</source>
        <translation>Read (Ctrl+R)</translation>
    </message>
    <message>
        <source>写入(&amp;W)</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write the radio</translation>
    </message>
    <message>
        <source>写入 (Ctrl+W)</source>
        <translation>Write (Ctrl+W)</translation>
    </message>
    <message>
        <source>写入后校验</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>写入后把电台读回来, 逐字节核对</source>
        <translation>Read the radio back after a write and compare every byte</translation>
    </message>
    <message>
        <source>键盘设置(&amp;B)</source>
        <translation>&amp;Key Settings</translation>
    </message>
    <message>
        <source>设置 PF1、PF2、PF3 键的功能</source>
        <translation>Set what the PF1, PF2 and PF3 keys do</translation>
    </message>
    <message>
        <source>与电台比较</source>
        <translation>Compare with Radio</translation>
    </message>
    <message>
        <source>读出电台并与屏幕比较，屏幕不变</source>
        <translation>Read the radio and compare it with the screen; the screen stays as it is</translation>
    </message>
    <message>
        <source>批量写入...</source>
        <translation>Batch Write...</translation>
    </message>
    <message>
        <source>把同一份数据逐台写入多台电台，每台校验并记录</source>
        <translation>Write the same data into radio after radio, each verified and logged</translation>
    </message>
    <message>
        <source>串口(&amp;K)</source>
        <translation>Serial &amp;Port</translation>
    </message>
    <message>
        <source>通讯口设置</source>
        <translation>Serial port settings</translation>
    </message>
    <message>
        <source>关闭所有通道</source>
        <translation>Disable all channels</translation>
    </message>
    <message>
        <source>关闭所有通道！</source>
        <translation>All channels disabled!</translation>
    </message>
    <message>
        <source>打开所有通道</source>
        <translation>Enable all channels</translation>
    </message>
    <message>
        <source>打开所有通道！</source>
        <translation>All channels enabled!</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>下一页(&amp;N)</source>
        <translation>&amp;Next Page</translation>
    </message>
    <message>
        <source>切换到另一页</source>
        <translation>Switch to the other page</translation>
    </message>
    <message>
        <source>上一页(&amp;P)</source>
        <translation>&amp;Previous Page</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>帮助主题(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>显示使用说明</source>
        <translation>Show the user guide</translation>
    </message>
    <message>
        <source>关于 KAVIR(&amp;A)...</source>
        <translation>&amp;About KAVIR...</translation>
    </message>
    <message>
        <source>显示程序信息，版本号和版权</source>
        <translation>Show program information, version and copyright</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>大写</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>滚动</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤销上一次修改</source>
        <translation>Undo the last change</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>重做上一次撤销的修改</source>
        <translation>Redo the last undone change</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>剪切所选单元格，放到剪贴板上</source>
        <translation>Cut the selected cells to the clipboard</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制所选单元格到剪贴板</source>
        <translation>Copy the selected cells to the clipboard</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>把剪贴板内容粘贴到所选单元格</source>
        <translation>Paste the clipboard into the selected cells</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>清除所选单元格</source>
        <translation>Clear the selected cells</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>选择全部信道单元格</source>
        <translation>Select all channel cells</translation>
    </message>
    <message>
        <source>打开 </source>
        <translation>Open </translation>
    </message>
    <message>
        <source>写入前备份电台数据</source>
        <translation>Back up the radio before a write</translation>
    </message>
    <message>
        <source>写入前先读出电台, 把它原有的数据保存在 backups 文件夹中</source>
        <translation>Before a write, read the radio and keep what it held in the backups folder</translation>
    </message>
    <message>
        <source>写入前列出改动</source>
        <translation>List changes before writing</translation>
    </message>
    <message>
        <source>写入前列出电台中将被改变的设置 (需要写入前备份电台数据)</source>
        <translation>Before writing, list the settings the write will change in the radio (needs Back up the radio before a write)</translation>
    </message>
    <message>
        <source>检查(&amp;C)...</source>
        <translation>&amp;Check...</translation>
    </message>
    <message>
        <source>检查频率、功率、带宽等是否可以发射, 可以对照许可证文件</source>
        <translation>Check whether frequencies, power and bandwidth may go on air, against a licence file if chosen</translation>
    </message>
</context>
<context>
    <name>kavir::app::ScreenWidget</name>
    <message>
        <source>机器类型和方式</source>
        <translation>Model and band</translation>
    </message>
    <message>
        <source>常用参数</source>
        <translation>General</translation>
    </message>
    <message>
        <source>TOT发射定时限制</source>
        <translation>TOT (TX time-out)</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>扫描信息</source>
        <translation>Scan</translation>
    </message>
</context>
<context>
    <name>kavir::app::ChangesDialog</name>
    <message>
        <source>电台中没有可以显示的数据 (可能从未写过), 无法列出改动。要写入吗?</source>
        <translation>The radio holds nothing that can be shown (never written?); the changes cannot be listed. Write?</translation>
    </message>
    <message>
        <source>可以不写入。</source>
        <translation>The write can be skipped.</translation>
    </message>
    <message>
        <source>写入将改变电台中的以下设置 (电台 → 新): %1</source>
        <translation>The write will change these settings in the radio (radio → new): %1</translation>
    </message>
    <message>
        <source>以后写入前不再列出 (工具 → 写入前列出改动)</source>
        <translation>Do not list the changes again (Tools → List changes before writing)</translation>
    </message>
    <message>
        <source>仍然写入</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>不写入</source>
        <translation>Do not write</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>检查发现的警告 (工具 → 检查)</source>
        <translation>Warnings of the check (Tools → Check)</translation>
    </message>
</context>
<context>
    <name>kavir::app::ChannelGridWidget</name>
    <message numerus="yes">
        <source>%n 个单元格未接受:

</source>
        <translation>
            <numerusform>%n cell not accepted:

</numerusform>
            <numerusform>%n cells not accepted:

</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已复制 %n 个单元格</source>
        <translation>
            <numerusform>%n cell copied</numerusform>
            <numerusform>%n cells copied</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已剪切 %n 个单元格</source>
        <translation>
            <numerusform>%n cell cut</numerusform>
            <numerusform>%n cells cut</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已粘贴 %n 个单元格</source>
        <translation>
            <numerusform>%n cell pasted</numerusform>
            <numerusform>%n cells pasted</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已清除 %n 个单元格</source>
        <translation>
            <numerusform>%n cell cleared</numerusform>
            <numerusform>%n cells cleared</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kavir::app::CompareDialog</name>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>屏幕与%1完全相同。</source>
        <translation>The screen and %1 are the same.</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>屏幕</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message numerus="yes">
        <source>屏幕与%1有 %n 处不同:</source>
        <translation>
            <numerusform>The screen and %1 differ in %n place:</numerusform>
            <numerusform>The screen and %1 differ in %n places:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kavir::app::HelpViewer</name>
    <message>
        <source>KAVIR 帮助</source>
        <translation>KAVIR Help</translation>
    </message>
    <message>
        <source>无法打开帮助文件 %1: %2</source>
        <translation>Cannot open the help file %1: %2</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kavir::app::ImportPreviewDialog</name>
    <message>
        <source>导入CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>文件: </source>
        <translation>File: </translation>
    </message>
    <message>
        <source>按 Location 放入信道 (Location n → 信道 n)</source>
        <translation>Place by Location (Location n → channel n)</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX tone</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX freq</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX tone</translation>
    </message>
    <message>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>带宽</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>禁止发射</source>
        <translation>TX inhibit</translation>
    </message>
    <message>
        <source>拒绝: </source>
        <translation>Refused: </translation>
    </message>
    <message>
        <source>不是信道表 CSV 文件: </source>
        <translation>Not a channel-plan CSV file: </translation>
    </message>
    <message numerus="yes">
        <source>导入 %n 行</source>
        <translation>
            <numerusform>%n row to import</numerusform>
            <numerusform>%n rows to import</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，拒绝 %n 行。</source>
        <translation>
            <numerusform>, %n refused. </numerusform>
            <numerusform>, %n refused. </numerusform>
        </translation>
    </message>
    <message>
        <source>没有导入的信道保持不变。</source>
        <translation>Channels not imported stay as they are.</translation>
    </message>
</context>
<context>
    <name>kavir::app::KeySettingsDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kavir::app::PlanDialog</name>
    <message>
        <source>检查</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>选择许可证...</source>
        <translation>Choose licence...</translation>
    </message>
    <message>
        <source>不用许可证</source>
        <translation>No licence</translation>
    </message>
    <message>
        <source>选择许可证文件</source>
        <translation>Choose a licence file</translation>
    </message>
    <message>
        <source>许可证文件 (*.csv);;所有文件 (*)</source>
        <translation>Licence files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>级别</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>规则</source>
        <translation>Rule</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>许可证文件不能使用:
%1</source>
        <translation>The licence file cannot be used:
%1</translation>
    </message>
    <message>
        <source>许可证: %1</source>
        <translation>Licence: %1</translation>
    </message>
    <message>
        <source>许可证: 无 (只按内置规则检查)</source>
        <translation>Licence: none (built-in rules only)</translation>
    </message>
    <message>
        <source>这些设置不应发射。要改正请取消; 确有许可才选 &quot;仍然写入&quot;。</source>
        <translation>These settings should not go on air. Cancel to correct them; choose &quot;Write anyway&quot; only when a licence allows them.</translation>
    </message>
    <message>
        <source>这些设置可能有误, 仍可写入。</source>
        <translation>These settings may be mistakes; the write can go on.</translation>
    </message>
    <message>
        <source>仍然写入</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
</context>
<context>
    <name>kavir::app::PortDialog</name>
    <message>
        <source>串口配置</source>
        <translation>Serial Port</translation>
    </message>
    <message>
        <source>请选择与电台编程线相连的串口：</source>
        <translation>Choose the serial port of the programming cable:</translation>
    </message>
    <message>
        <source>其他设备：</source>
        <translation>Other device:</translation>
    </message>
    <message>
        <source>/dev/ttyUSB0 或 /dev/pts/N</source>
        <translation>/dev/ttyUSB0 or /dev/pts/N</translation>
    </message>
    <message>
        <source>波特率(&amp;B)：</source>
        <translation>&amp;Baud rate:</translation>
    </message>
    <message>
        <source>超时（毫秒）：</source>
        <translation>Time-outs (ms):</translation>
    </message>
    <message>
        <source>握手(&amp;H)</source>
        <translation>&amp;Handshake</translation>
    </message>
    <message>
        <source>接收(&amp;R)</source>
        <translation>&amp;Receive</translation>
    </message>
    <message>
        <source>发送(&amp;T)</source>
        <translation>&amp;Transmit</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>不再使用设备 %1，改用 COM%2 吗?</source>
        <translation>Stop using device %1 and use COM%2 instead?</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>适配器</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>可用</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>被占用</source>
        <translation>In use</translation>
    </message>
    <message>
        <source>无权限</source>
        <translation>No permission</translation>
    </message>
    <message>
        <source>检测电台</source>
        <translation>Detect radio</translation>
    </message>
    <message>
        <source>诊断报告...</source>
        <translation>Diagnosis...</translation>
    </message>
    <message>
        <source>正在检测...</source>
        <translation>Detecting...</translation>
    </message>
    <message>
        <source>电台应答: %1</source>
        <translation>Radio answers: %1</translation>
    </message>
    <message>
        <source>无应答</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>打不开</source>
        <translation>Cannot open</translation>
    </message>
    <message>
        <source>没有找到电台</source>
        <translation>No radio found</translation>
    </message>
    <message>
        <source>电台在 %1</source>
        <translation>Radio on %1</translation>
    </message>
    <message>
        <source>串口诊断报告</source>
        <translation>Serial port diagnosis</translation>
    </message>
    <message>
        <source>复制到剪贴板</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>不存在</source>
        <translation>Missing</translation>
    </message>
    <message>
        <source>%1 (当前)</source>
        <translation>%1 (current)</translation>
    </message>
    <message>
        <source>COM5 或 COM12</source>
        <translation>COM5 or COM12</translation>
    </message>
</context>
<context>
    <name>kavir::app::TransferGuard</name>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>停止传输 (Esc)</source>
        <translation>Stop the transfer (Esc)</translation>
    </message>
    <message>
        <source>正在取消...</source>
        <translation>Cancelling...</translation>
    </message>
</context>
</TS>

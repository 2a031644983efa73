"""The eleven page documents. Rows the layout rules switch are named
containers holding exactly their settings' controls; unnamed rows only pack
named ones side by side. Initial visibility and heights match what the rules
give for a terminal on factory-like defaults."""

from skingen import items as I
from skingen.model import E, T, block, box, combo, edit, page, pair, row

IO_LABEL_W = 100
IO_FIELD_W = 130


def hint(text):
    return E("Label", text=text, style="hint")


def work_tab():
    mode = box("ModeGroupBox", T("Mode and protocol", "工作模式与协议"), [
        row(pair(T("Work mode", "工作模式"), combo("Protocolmodel", I.WORK_MODES))),
        row(pair(T("Modem ID", "终端ID"), edit("Modem'sID number"), name="ModeHorizontalLayout1.1"),
            pair(T("Phone number", "终端号码"), edit("PhoneNO.")),
            name="ModeHorizontalLayout1"),
        row(pair(T("Direct TCP delivery", "TCP数据直接转发"),
                 combo("Deliver Recved Tcp Data Directly", I.NO_YES)),
            name="ModeHorizontalLayout1.2"),
        row(pair(T("Device model", "设备模式"), combo("DeviceModel", I.WORK_MODEL)),
            pair(T("Transfer protocol", "传输协议"), combo("Transferprotocol", I.TRANSFER_PROTOCOLS)),
            name="ModeHorizontalLayout2", visible=False),
        row(pair(T("Registration packets", "注册包与心跳包"), combo("RegistrationAndHeart", I.REGISTRATION),
                 name="ModeHorizontalLayout4"),
            pair(T("Listen port", "监听端口"), edit("ListenPort"), name="ModeHorizontalLayout5",
                 visible=False),
            name="ModeHorizontalLayout3", visible=False),
        row(hint(T("Registration and heartbeat use the terminal's built-in packets.",
                   "注册包和心跳包使用终端内置格式。")),
            name="ModeHorizontalLayout6", visible=False),
        row(pair(T("Packets in hex", "包内容为十六进制"), combo("RegisterbHex", I.NO_YES)),
            name="ModeHorizontalLayout7", visible=False),
        block([
            row(pair(T("Registration packet", "注册包"), edit("RegisterInfo")),
                pair(T("Registration reply", "注册应答包"), edit("RegistrationReplyInfo"))),
            row(pair(T("Heartbeat packet", "心跳包"), edit("HeartbeatPacket")),
                pair(T("Heartbeat reply", "心跳应答包"), edit("HeartbeatPacketReplyInfo"))),
        ], name="ModeHorizontalLayout8", visible=False),
        block([
            row(pair(T(f"SMS number {i}", f"短信号码{i}"), edit(f"sms Phone{i} No"))) for i in range(1, 6)
        ], name="ModeLayout1.1", visible=False),
        block([
            row(pair(T("Show phone number", "显示来电号码"), combo("Show Phone NO", I.NO_YES)),
                pair(T("Encode SMS as hex", "短信十六进制编码"), combo("Encode Hex SMS", I.NO_YES))),
            row(pair(T("Send SMS as hex", "十六进制发送短信"), combo("Send Hex SMS", I.NO_YES))),
        ], name="ModeLayout1.2", visible=False),
        row(pair(T("HTTP request", "HTTP请求方式"), combo("HTTP Request Mode", I.HTTP_MODES)),
            name="HttpLayout", visible=False),
        block([
            row(pair(T("MQTT client ID", "MQTT客户端ID"), edit("MQTT Client ID"))),
            row(pair(T("MQTT user name", "MQTT用户名"), edit("MQTT User Name"))),
            row(pair(T("MQTT password", "MQTT密码"), edit("MQTT Password", password=True))),
            row(pair(T("Receive topic", "订阅主题"), edit("MQTT Receive Topic"))),
            row(pair(T("Send topic", "发布主题"), edit("MQTT Send Topic"))),
            row(pair(T("Product key", "产品密钥"), edit("MQTT KEY"))),
        ], name="MQTTLayout", visible=False),
    ], height=110)

    activation = box("ActivateGroupBox", T("Activation", "激活方式"), [
        row(pair(T("Activation method", "激活方式"), combo("ActivateMethod", I.ACTIVATE_METHODS))),
        row(pair(T("Control phone", "控制电话号码"), edit("ActivationPhoneNO."),
                 name="ActivateHorizontalLayout7"),
            pair(T("SMS activation number", "短信激活号码"), edit("SMSActivationNO."),
                 name="ActivateHorizontalLayout8"),
            E("HorizontalLayout", name="ActivateHorizontalLayout1.2"),
            name="ActivateHorizontalLayout1", visible=False),
        row(pair(T("Data to go online", "上线触发数据"), edit("On-line data")),
            pair(T("Data to go offline", "下线触发数据"), edit("Offline data")),
            name="ActivateHorizontalLayout2", visible=False),
        row(pair(T("Activation port", "激活串口"), combo("ActivationInterface", I.PORTS)),
            pair(T("Activation data format", "激活数据格式"), combo("DataFormat", I.DATA_FORMATS)),
            name="ActivateHorizontalLayout3", visible=False),
        row(pair(T("I/O activation", "I/O激活方式"), combo("IOactivationmethods", I.IO_ACTIVATION)),
            name="ActivateHorizontalLayout4", visible=False),
        row(pair(T("Activating input", "激活输入口"), combo("I/O selection", I.IO_LINES)),
            name="ActivateHorizontalLayout5", visible=False),
        row(pair(T("DIO1 centre", "DIO1映射中心"), combo("I/O1 control", I.CENTRES)),
            pair(T("DIO2 centre", "DIO2映射中心"), combo("I/O2 control", I.CENTRES)),
            name="ActivateHorizontalLayout6", visible=False),
        row(pair(T("DIO3 centre", "DIO3映射中心"), combo("I/O3 control", I.CENTRES),
                 name="ActivateHorizontalLayout6.1.1"),
            pair(T("SMS daemon password", "短信唤醒密码"), edit("Sms Daemon Password", password=True),
                 name="ActivateHorizontalLayout6.1.2"),
            name="ActivateHorizontalLayout6.1", visible=False),
        row(pair(T("DIO1 use", "DIO1用途"), combo("I/O1 Mode", I.IO_USES)),
            pair(T("DIO2 use", "DIO2用途"), combo("I/O2 Mode", I.IO_USES)),
            name="ActivateHorizontalLayout9", visible=False),
    ], height=60)

    debug = box("DebugGroupBox", T("Debugging", "调试"), [
        row(pair(T("Debug output", "调试信息"), combo("Debug Level", I.DEBUG_LEVELS)),
            pair(T("Clear serial buffer", "清空串口缓存"), combo("Clear Serial Buffer", I.NO_YES))),
        row(pair(T("Debug port", "调试信息输出口"), combo("Debugging  port", I.PORTS)),
            name="DebugHorizontalLayout1"),
    ])
    return page("WorkModeForm", [mode, activation, debug])


def server_row(name, caption, ip, port, visible=None, label_name=None):
    address = E("HorizontalLayout", [
        E("Label", name=label_name, text=caption, width=160, align="right", style="fieldlabel"),
        edit(ip),
    ], width=356, childpadding=8)
    return row(address, pair(T("Port", "端口"), edit(port, width=90), label_w=60), name=name, visible=visible)


def service_centre():
    count = box("ServiceGroupBox2", T("Servers", "服务器"), [
        row(pair(T("Number of servers", "服务器数量"), combo("ThePPPauthentication", I.SERVER_COUNTS)),
            pair(T("Return to main server", "返回主服务器"),
                 combo("Should Return To Main Server", I.NO_YES))),
        row(pair(T("Redial wait (s)", "重拨等待(秒)"), edit("Wait Time Between Dial Failures")),
            pair(T("Link retries", "连接重试次数"), edit("Link Fail Retry Times"))),
        row(hint(T("The secondary server is used while the main server cannot be reached.",
                   "主服务器无法连接时使用备用服务器。")),
            name="ServiceHorizontalLayout6"),
    ], height=110)
    servers = box("ServiceGroupBox", T("Server addresses", "服务器地址"), [
        row(E("Label", name="ServerTitle", text=T("Main server with a secondary server as backup",
                                                  "主服务器与备用服务器"), style="subtitle")),
        server_row("ServiceHorizontalLayout0", T("Main server", "主服务器"), "Server's Ip",
                   "Server's Port", label_name="Server's Label"),
        server_row("ServiceHorizontalLayout1", T("Secondary server", "备用服务器"),
                   "Secondary Server's Ip", "Secondary Server's Port"),
    ] + [
        server_row(f"ServiceHorizontalLayout{n}", T(f"Server {n}", f"服务器{n}"), f"Server{n}'s Ip",
                   f"Server{n}'s Port", visible=False) for n in range(2, 6)
    ], height=110)
    return page("ServerForm", [count, servers])


def serial_port():
    boxes = []
    for box_name, title, baud, mode, bind_box, bind in (
        ("serialGroupbox", T("Serial port 1", "串口1"), "Serial Baudrate", "Serial port commu mode",
         "bindingCenterGroupBox", "A serial port binding center"),
        ("serial2Groupbox", T("Serial port 2", "串口2"), "Serial 2 Baudrate", "Serial 2 port commu mode",
         "bindingCenterGroupBox2", "A serial 2 port binding center"),
        ("serial3Groupbox", T("RS485 port", "RS485口"), "RS485 Baudrate", "RS485 port commu mode",
         "bindingCenterGroupBox3", "RS485 port binding center"),
    ):
        boxes.append(box(box_name, title, [
            row(pair(T("Baud rate", "波特率"), combo(baud, I.BAUD_RATES))),
            row(pair(T("Line format", "数据格式"), combo(mode, I.SERIAL_MODES))),
            row(pair(T("Binding centre", "绑定中心"), combo(bind, I.BINDING_CENTRES)), name=bind_box),
        ], height=110))
    return page("SerialForm", boxes)


def io_pair(text, field, name=None, visible=False):
    """The I/O boxes use a narrower three-column grid."""
    field.attrs["width"] = IO_FIELD_W
    return pair(text, field, name=name, visible=visible, label_w=IO_LABEL_W)


def io_channel(n):
    d = f"DIO{n}"
    shown = None  # inside a row that is switched as a whole
    rows = [
        row(io_pair(T("Work mode", "工作模式"), combo(f"{d} workmode", I.DIO3_WORK_MODES if n == 3 else I.DIO_WORK_MODES), visible=shown)),
        row(io_pair(T("Protocol", "协议"), combo(f"{d} protocol", I.DIO_PROTOCOLS), f"IOLayout{n}.1"),
            io_pair(T("Interface", "接口"), combo(f"{d} interface", I.DIO_INTERFACES), f"IOLayout{n}.2"),
            io_pair(T("SMS number", "短信号码"), edit(f"{d} SMS number"), f"IOLayout{n}.2.1")),
        row(io_pair(T("Reporting", "上报方式"), combo(f"{d} reported methods", I.DIO_REPORTING),
                    f"IOLayout{n}.3"),
            io_pair(T("Report times", "上报次数"), edit(f"{d} reported times"), f"IOLayout{n}.3.1"),
            io_pair(T("Query command", "查询指令"), edit(f"{d} query command"), f"IOLayout{n}.3.2")),
        row(io_pair(T("Data format", "数据格式"), combo(f"1The {d} data format", I.DATA_FORMATS),
                    f"IOLayout{n}.4.1", visible=shown),
            io_pair(T("Control reply", "控制应答"), edit(f"{d} output control result"), f"IOLayout{n}.4.2",
                    visible=shown),
            name=f"IOLayout{n}.4", visible=False),
        row(io_pair(T("High level text", "高电平信息"), edit(f"{d} high level information"), visible=shown),
            io_pair(T("Low level text", "低电平信息"), edit(f"{d} low level information"), visible=shown),
            name=f"IOLayout{n}.5", visible=False),
        row(io_pair(T("Mapping centre", "映射中心"), combo(f"{d} and mapping center", I.CENTRES), visible=shown),
            name=f"IOLayout{n}.6", visible=False),
    ]
    thresholds = [io_pair(T("Upper threshold", "上限阈值"), edit(f"{d} upper threshold"), visible=shown),
                  io_pair(T("Lower threshold", "下限阈值"), edit(f"{d} lower threshold"), visible=shown)]
    if n == 3:
        # Two rows: the box is 135 high in the analog mode, the interface row included.
        rows.append(block([
            row(io_pair(T("ADC type", "模拟量类型"), combo("DIO3 ADCType", I.ADC_TYPES), visible=shown)),
            row(*thresholds),
        ], name="IOLayout3.7", visible=False))
    else:
        rows.append(row(*thresholds, name=f"IOLayout{n}.7", visible=False))
    return box(f"IO{n}GroupBox", T(f"Digital I/O {n}", f"数字I/O {n}"), rows, height=60)


def digital_io():
    modbus = box("ModbusGroupBox", T("Modbus", "Modbus"), [
        row(pair(T("Modbus address", "Modbus地址"), edit("Mobus address"))),
    ])
    return page("IOForm", [io_channel(1), io_channel(2), io_channel(3), modbus])


def wireless():
    return page("WirelessForm", [box("WirelessGroupBox", T("Dial-up", "拨号参数"), [
        row(pair(T("Centre number", "拨号中心号码"), edit("Center call number")),
            pair(T("Access point (APN)", "接入点(APN)"), edit("Access Point Name"))),
        row(pair(T("PPP user name", "PPP用户名"), edit("User Id")),
            pair(T("PPP password", "PPP密码"), edit("Password", password=True))),
        row(pair(T("Authentication", "认证方式"), combo("The PPP authentication", I.PPP_AUTH)),
            pair(T("Network mode", "网络模式"), combo("net mode", I.NET_MODES))),
        row(pair(T("Redial wait (s)", "重拨等待(秒)"), edit("PPP Wait Time Between Dial Failures")),
            pair(T("Dial retries", "拨号重试次数"), edit("PPP Link Fail Retry Times"))),
        row(pair(T("DNS server", "首选DNS"), edit("Dns Server's Ip")),
            pair(T("Second DNS server", "备用DNS"), edit("Second Dns Server's Ip"))),
    ])])


def global_parameter():
    ppp = box("PPPGroupBox", T("Link keep-alive", "链路保活"), [
        row(pair(T("LCP echo", "LCP回显"), combo("LCP ECHO", I.OFF_ON))),
        row(pair(T("Echo interval (s)", "回显间隔(秒)"), edit("Lcp echo interval")),
            pair(T("Echo failures", "回显失败次数"), edit("Lcp echo testing number")),
            name="GlobalHorizontalLayout1"),
    ], height=85)
    icmp = box("ICMPGroupBox", T("ICMP probing", "ICMP探测"), [
        row(pair(T("Extra function", "扩展功能"), combo("EXFUN", I.EXFUN))),
        block([
            row(pair(T("ICMP address", "探测地址"), edit("ICMP Ip"))),
            row(pair(T("ICMP interval (s)", "探测间隔(秒)"), edit("ICMP interval")),
                pair(T("ICMP failures", "探测失败次数"), edit("ICMP testing number"))),
        ], name="GlobalHorizontalLayout2"),
    ], height=110)
    other = box("TransferGroupBox", T("Data and retries", "数据与重传"), [
        row(pair(T("SMS centre", "短信中心"), edit("Sms Center")),
            pair(T("Frame gap (ms)", "组包间隔(毫秒)"), edit("Send group package waiting for"))),
        row(pair(T("Max TCP frame", "TCP最大帧长"), edit("Max Tcp Frame Len")),
            pair(T("Heartbeat poll (s)", "心跳查询时间(秒)"), edit("Heartbeat poll time seconds"))),
        row(pair(T("Resend wait", "重发等待"), edit("Resend wating")),
            pair(T("Max resends", "最大重发次数"), edit("Maximum retransmission times"))),
        row(pair(T("After a failure", "失败后动作"), combo("After a failed action", I.AFTER_FAILURE)),
            pair(T("Failure wait", "失败等待"), edit("Waiting for the failure"))),
    ])
    return page("GlobalForm", [ppp, icmp, other])


def equipment_management():
    platform = box("DtumanageGroupBox", T("Management platform", "管理平台"), [
        row(pair(T("Connect to platform", "连接管理平台"),
                 combo("dtu is connect to dtu manage platform", I.NO_YES))),
        block([
            row(pair(T("Platform ID", "平台ID"), edit("Dtu manage id")),
                pair(T("Protocol", "传输协议"), combo("Dtumanagetransferprotocol", I.TRANSFER_PROTOCOLS))),
            row(pair(T("Platform address", "平台地址"), edit("dtu manage server's Ip")),
                pair(T("Platform port", "平台端口"), edit("dtu manage server's Port"))),
        ], name="EquimentLayout1"),
    ], height=110)
    sms = box("DtumanageGroupBox1", T("SMS configuration", "短信配置"), [
        row(pair(T("SMS configuration", "短信配置功能"), combo("DTU SMS configure fun", I.SMS_CONFIG))),
        block([
            row(pair(T("SMS password", "短信配置密码"), edit("DTU SMS configure password", password=True))),
            row(pair(T("Administrator number", "管理员号码"), edit("DTU SMS administrator number"))),
        ], name="EquimentLayout2", visible=False),
    ], height=60)
    return page("EquipmentForm", [platform, sms])


DIRECTIONS = {
    "Lora2COM": T("LoRa → Serial", "LoRa → 串口"),
    "COM2Lora": T("Serial → LoRa", "串口 → LoRa"),
    "Lora2GPRS": T("LoRa → Network", "LoRa → 网络"),
    "GPRS2Lora": T("Network → LoRa", "网络 → LoRa"),
    "Zigbee2COM": T("ZigBee → Serial", "ZigBee → 串口"),
    "COM2Zigbee": T("Serial → ZigBee", "串口 → ZigBee"),
    "Zigbee2GPRS": T("ZigBee → Network", "ZigBee → 网络"),
    "GPRS2Zigbee": T("Network → ZigBee", "网络 → ZigBee"),
    "GPS2COM": T("GPS → Serial", "GPS → 串口"),
    "COM2GPS": T("Serial → GPS", "串口 → GPS"),
    "GPRS2COM": T("Network → Serial", "网络 → 串口"),
    "COM2GPRS": T("Serial → Network", "串口 → 网络"),
    "GPS2GPRS": T("GPS → Network", "GPS → 网络"),
    "GPRS2GPS": T("Network → GPS", "网络 → GPS"),
}

SWITCH_OFF_IMAGE = "switch_disable.png"
SWITCH_ON_IMAGE = "switch_enable.png"


def direction(name):
    """A transfer-direction switch; its image name carries its state."""
    return E("HorizontalLayout", [
        E("Label", text=DIRECTIONS[name], width=118, align="right", style="fieldlabel"),
        E("Button", name=name, width=44, bkimage=SWITCH_OFF_IMAGE, style="toggle", tooltip=DIRECTIONS[name]),
    ], width=168, childpadding=6)


def lora():
    radio = box("LoraGroupBox", T("LoRa radio", "LoRa无线"), [
        row(pair(T("LoRa ID", "LoRa ID"), edit("LORA ID"))),
        row(pair(T("Air rate", "空中速率"), combo("LORA Rate", I.LORA_RATES))),
        row(pair(T("LoRa mode", "LoRa模式"), combo("LORA Mode", I.LORA_MODES))),
        row(pair(T("Target address", "目标地址"), edit("LORA TAddr")), name="LoraLayout", visible=False),
        row(pair(T("Frequency", "频率"), edit("LORA freq"))),
        row(pair(T("Transmit power", "发射功率"), edit("LORA Power")), name="LoraPower"),
        row(pair(T("Network ID", "网络ID"), edit("LORA pid")), name="LoraPID"),
        row(pair(T("Node type", "节点类型"), combo("LORA typ", I.LORA_TYPES)), name="LoraType", visible=False),
        row(pair(T("Packet time", "数据包时间"), edit("LORA ppt"))),
        row(*[direction(n) for n in ("Lora2COM", "COM2Lora", "Lora2GPRS", "GPRS2Lora")]),
    ], height=235)
    return page("LoraForm", [radio])


def zigbee():
    radio = box("ZigbeeGroupBox", T("ZigBee radio", "ZigBee无线"), [
        row(pair(T("Work mode", "工作模式"), combo("ZigBee_WorkMode", I.ZIGBEE_MODES)),
            pair(T("RF channel", "射频信道"), combo("ZigBee_RFchannel", I.ZIGBEE_CHANNELS))),
        row(pair(T("Network ID", "网络ID"), edit("ZigBee_NetworkID")),
            pair(T("Target address", "目标地址"), edit("ZigBee_TransAddr"))),
        row(pair(T("Node type", "节点类型"), combo("ZigBee_Type", I.ZIGBEE_TYPES))),
    ])
    flows = box("ZigbeeDirectionGroupBox", T("Transfer directions", "数据流向"), [
        row(*[direction(n) for n in ("Zigbee2COM", "COM2Zigbee", "Zigbee2GPRS", "GPRS2Zigbee")]),
    ])
    return page("ZigbeeForm", [radio, flows])


def gps():
    server = box("GpsGroupBox", T("GPS", "GPS"), [
        row(pair(T("GPS server", "GPS服务器"), edit("GPS Server's Ip")),
            pair(T("GPS server port", "GPS服务器端口"), edit("GPS Server's Port"))),
        row(pair(T("Work mode", "工作模式"), combo("GPS work mode", I.GPS_MODES)),
            pair(T("Protocol", "协议"), combo("GPS Protocol", I.GPS_PROTOCOLS))),
        row(pair(T("Device ID", "设备ID"), edit("GPS euipment ID")),
            pair(T("Interval (s)", "上报间隔(秒)"), edit("GPS transmit interval"))),
    ])
    sentences = box("GpsSentenceGroupBox", T("NMEA sentences", "NMEA语句"), [
        row(pair("GPRMC", combo("GPS GPRMC", I.OFF_ON)), pair("GPVTG", combo("GPS GPVTG", I.OFF_ON))),
        row(pair("GPGGA", combo("GPS GPGGA", I.OFF_ON)), pair("GPGSA", combo("GPS GPGSA", I.OFF_ON))),
        row(pair("GPGSV", combo("GPS GPGSV", I.OFF_ON)), pair("GPGLL", combo("GPS GPGLL", I.OFF_ON))),
    ])
    flows = box("GpsDirectionGroupBox", T("Transfer directions", "数据流向"), [
        row(*[direction(n) for n in ("GPS2COM", "COM2GPS", "GPS2GPRS")]),
        row(*[direction(n) for n in ("GPRS2COM", "COM2GPRS", "GPRS2GPS")]),
    ])
    return page("GpsForm", [server, sentences, flows])


def action(name, text, width=150):
    return E("Button", name=name, text=text, width=width, height=28, style="action")


def computer_examine():
    check = box("SelfCheckGroupBox", T("Self-check", "自检"), [
        row(action("CPIN", T("SIM card", "SIM卡状态")), action("CSQ", T("Signal quality", "信号强度")),
            action("GetVer", T("Firmware version", "固件版本")),
            action("READFILELOG", T("Read log file", "读取日志")), height=32),
        row(pair(T("Network mode", "网络模式"),
                 edit("FINDNETMODE", readonly=True,
                      tooltip=T("Click into the field to ask the terminal", "点击此框查询终端网络模式")))),
    ])
    maintenance = box("MaintenanceGroupBox", T("Maintenance", "维护"), [
        row(action("SetTime", T("Set terminal clock", "同步终端时间")),
            action("quit", T("Leave configuration", "退出配置模式")), height=32),
    ])
    return page("OperationForm", [check, maintenance])


# Slot order of the tab layout: (element class, document, builder).
PAGES = [
    ("WorkTab", "WorkTab.xml", work_tab),
    ("ServiceCentre", "Service Centre.xml", service_centre),
    ("SerialPort", "Serial port.xml", serial_port),
    ("DigitalIO", "DigitalIO.xml", digital_io),
    ("Wireless", "Wireless.xml", wireless),
    ("Global_Parameter", "Global Parameter.xml", global_parameter),
    ("Equipment_Management", "Equipment Management.xml", equipment_management),
    ("LoRa", "LoRa.xml", lora),
    ("ZigBee", "ZigBee.xml", zigbee),
    ("GPS", "GPS.xml", gps),
    ("ComputerExamine", "ComputerExamine.xml", computer_examine),
]

"""Drop-down item lists and the language-file texts some of them must equal.

Plain strings are values the program compares or writes: they are the same in
both skins. T(...) items are display texts read back by their index only.
"""

from skingen.model import T

# Item 9 of the work-mode list reads back as CUST: its text is the language
# file's [Protocolmodel] Text, so both come from here.
CUSTOM_WORK_MODE = T("Custom", "自定义")
WORK_MODES = ["PROT", "DCUDP", "DCTCP", "TRNS", "SMSCLI", "SMSSER", "HTTP", "MTCP/MRTU", "MQTT",
              CUSTOM_WORK_MODE]

# [DIO workmode] Text1..Text5, in value order 0, 1, 2, 3, 6.
DIO_WORK_MODES = [
    T("Not used", "不使用"),
    T("Digital input", "数字输入"),
    T("Digital output", "数字输出"),
    T("Centre mapping", "中心映射"),
    T("Analog input", "模拟量输入"),
]

# Channel 3 shows value 6 as item 1 and every other value as item 0, and reads
# items back by their text: "Analog input" must be item 1 or an untouched
# channel in analog mode would be written back as a digital input.
DIO3_WORK_MODES = [DIO_WORK_MODES[0], DIO_WORK_MODES[4]] + DIO_WORK_MODES[1:4]

NO_YES = [T("No", "否"), T("Yes", "是")]
REGISTRATION = [T("Off", "关闭"), T("Registration and heartbeat", "注册包和心跳包"),
                T("Registration only", "仅注册包"), T("Heartbeat only", "仅心跳包")]
OFF_ON = [T("Off", "关闭"), T("On", "开启")]

# Centres 0..5, then "None" at 6: the I/O page rule compares the text "None".
CENTRES = [T(f"Centre {i}", f"中心{i}") for i in range(1, 6)] + [T("All centres", "所有中心"), "None"]
# Binding centre bits 0, 1, 2, 4, 8, 16, 255 by index.
BINDING_CENTRES = [T("No binding", "不绑定")] + [T(f"Centre {i}", f"中心{i}") for i in range(1, 6)] + \
    [T("All centres", "所有中心")]

SERVER_COUNTS = [str(i) for i in range(6)]

# Item texts are the terminal's own values.
BAUD_RATES = ["1200", "2400", "4800", "9600", "14400", "19200", "38400", "57600", "115200",
              "230400", "460800", "921600"]
LINE_FORMATS = ["8N1", "8E1", "8O1", "8N2", "7E1", "7O1", "7N2", "7E2", "7O2"]
SERIAL_MODES = LINE_FORMATS
TRANSFER_PROTOCOLS = ["TCP", "UDP"]
PPP_AUTH = ["NONE", "PAP", "CHAP", "AUTO"]
DIO_INTERFACES = ["COM1", "COM2", "RS485", "SMS", "NET"]  # index 3 needs an SMS number
LORA_MODES = ["TRNS", "FIXD", "BRDC", "RELY"]
LORA_RATES = [str(i) for i in range(1, 11)]        # item i stands for rate i + 1
ZIGBEE_CHANNELS = [str(i) for i in range(11, 27)]  # item i stands for channel i + 11

# Index lists (the value is the index or an offset of it).
WORK_MODEL = [T("Client", "客户端"), T("Server", "服务端")]
HTTP_MODES = ["GET", "POST"]
ACTIVATE_METHODS = [
    T("Always online", "自动激活(永久在线)"),
    T("SMS wake-up", "短信激活"),
    T("Phone call wake-up", "电话激活"),
    T("Serial data wake-up", "串口数据激活"),
    T("Mixed", "混合激活"),
    T("Digital input", "I/O激活"),
]
PORTS = [T("Serial port 1", "串口1"), T("Serial port 2", "串口2"), T("RS485 port", "RS485口")]
DATA_FORMATS = ["ASCII", "HEX"]
IO_ACTIVATION = [T("By one input line", "指定输入口激活"), T("By centre mapping", "按中心映射激活"),
                 T("By any input line", "任意输入口激活")]
IO_LINES = ["DIO1", "DIO2", "DIO3"]
IO_USES = [T("Normal I/O", "普通I/O"), T("Activation input", "激活输入"), T("Centre mapped", "中心映射")]
DEBUG_LEVELS = [T("Off", "关闭"), T("Errors", "错误"), T("Warnings", "警告"), T("Information", "信息"),
                T("Everything", "全部")]
# Index 0 is value 0, index i value i + 3.
NET_MODES = [T("Automatic", "自动")] + [T(f"Mode {v}", f"模式{v}") for v in range(4, 13)]
EXFUN = [T("Off", "关闭"), T("ICMP probing", "ICMP探测")]
AFTER_FAILURE = [T("Reconnect", "重新连接"), T("Restart the terminal", "重启终端"),
                 T("Wait, then retry", "等待后重试")]
SMS_CONFIG = [T("Off", "关闭"), T("On, with password", "开启(需密码)"),
              T("On, without password", "开启(无需密码)")]
DIO_REPORTING = [T("On query", "查询上报"), T("Timed", "定时上报"), T("On change", "变化上报")]
DIO_PROTOCOLS = [T("Modbus RTU", "Modbus RTU"), T("Custom", "自定义")]
ADC_TYPES = [T("Voltage 0-5 V", "电压 0-5V"), T("Current 4-20 mA", "电流 4-20mA")]
LORA_TYPES = [T("End node", "终端节点"), T("Gateway", "网关"), T("Relay", "中继"), T("Listener", "监听节点")]
ZIGBEE_MODES = [T("Transparent", "透明传输"), T("Fixed point", "定点传输"), T("Broadcast", "广播")]
ZIGBEE_TYPES = [T("Coordinator", "协调器"), T("Router", "路由器"), T("End device", "终端设备")]
GPS_MODES = [T("Off", "关闭"), T("Timed report", "定时上报"), T("On request", "查询上报")]
GPS_PROTOCOLS = [T("Raw NMEA", "原始NMEA"), T("Compact", "精简格式"), T("Compact with device ID", "精简格式带设备ID")]
LANGUAGES = ["English", "中文"]  # item 0 English, item 1 Chinese

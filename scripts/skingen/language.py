"""Language.ini of each skin: every section and key the program looks up."""

from skingen import items as I
from skingen.model import T

SECTIONS = [
    ("ComSend", [
        ("send", T("Send", "发送")),
    ]),
    ("WorkerJobThreadProc", [
        ("OutTime", T("No complete reply from the terminal in time.", "终端应答超时。")),
        ("SaveSuccess", T("Setting written.", "参数写入成功。")),
        ("SaveError", T("The terminal refused the setting.", "终端拒绝了该参数。")),
        ("FactorySuccess", T("Factory settings restored.", "已恢复出厂设置。")),
        ("FactoryError", T("The terminal refused to restore the factory settings.", "终端拒绝恢复出厂设置。")),
    ]),
    ("WinMain", [
        ("WorkThread", T("The worker thread could not be started; no command will be sent.",
                         "无法创建工作线程，命令将不会发送。")),
    ]),
    ("InitValue", [
        # The help pane keeps at most 99 characters of this text.
        ("Text", T("Choose the port, baud rate and format, click Open, then power on the terminal.",
                   "选择串口、波特率和校验位，打开串口后给终端上电。")),
    ]),
    ("OnStartCom", [
        ("Open", T("Open", "打开串口")),
        ("Close", T("Close", "关闭串口")),
        ("OpenNotice", T("Port opened. Power on the terminal or click Login.",
                         "串口已打开，请给终端上电或点击登录。")),
        ("CloseNotice", T("Port closed.", "串口已关闭。")),
        ("OpenError", T("The port could not be opened.", "串口打开失败。")),
    ]),
    ("SetDeviceState", [
        ("szLoginOn", T("Configuration mode", "已进入配置模式")),
        ("szLoginOff", T("Not logged in", "未登录")),
    ]),
    ("Notify", [
        ("IpNotice", T("A server address must not contain spaces.", "服务器地址不能包含空格。")),
        ("ServerCount", T("This terminal needs at least one server.", "该终端至少需要一个服务器。")),
    ]),
    ("ModeTabItemChange", [
        ("ServerTitle1", T("Main server with a secondary server as backup", "主服务器与备用服务器")),
        ("Server's Label1", T("Main server", "主服务器")),
        ("ServerTitle2", T("Servers connected at the same time", "同时连接的多个服务器")),
        ("Server's Label2", T("Server 1", "服务器1")),
    ]),
    ("DIO workmode", [(f"Text{i + 1}", text) for i, text in enumerate(I.DIO_WORK_MODES)]),
    ("Protocolmodel", [
        ("Text", I.CUSTOM_WORK_MODE),
    ]),
    ("SaveToFile", [
        ("OpenError", T("The snapshot file could not be created.", "无法创建配置文件。")),
    ]),
    ("onLoadFrommFile", [
        ("ReadError", T("The snapshot file could not be opened.", "无法打开配置文件。")),
    ]),
    # Linux serial port failures and write refusals.
    ("Linux", [
        ("PortMissing", T("The serial port does not exist. Is the adapter plugged in?",
                          "串口不存在，请检查串口适配器是否已连接。")),
        ("PortBusy", T("The serial port is busy. Another program holds it; a modem manager may be "
                       "probing the port.",
                       "串口被占用，可能有其他程序（如调制解调器管理服务）正在探测该串口。")),
        ("PortDenied", T("No permission to open the serial port. Add your user to the dialout group "
                         "and log in again.",
                         "没有打开串口的权限，请将当前用户加入 dialout 组后重新登录。")),
        ("LineLost", T("The line to the terminal was lost; the port has been closed.",
                       "与终端的串口连接已断开，串口已关闭。")),
        ("ValueLineBreak", T("A value containing a line break was not written:",
                             "参数值含有换行符，未写入：")),
        ("NotADevice", T("The port is not a serial device.", "该端口不是串口设备。")),
        ("NoLineFormat", T("No line format chosen.", "未选择校验方式。")),
        ("BadBaudRate", T("The baud rate must be a positive number.", "波特率必须是正整数。")),
        ("NotASnapshot", T("The file holds no settings report; nothing was loaded.",
                           "该文件不包含参数报告，未载入。")),
    ]),
]

MAX_TEXT_BYTES = 199
HELP_FALLBACK_BYTES = 97  # 99 minus the line end


def language_ini(lang):
    lines = []
    for section, keys in SECTIONS:
        lines.append(f"[{section}]")
        for key, text in keys:
            value = text.get(lang)
            limit = HELP_FALLBACK_BYTES if section == "InitValue" else MAX_TEXT_BYTES
            if len(value.encode("utf-8")) > limit:
                raise ValueError(f"[{section}] {key} ({lang}) is longer than {limit} bytes")
            lines.append(f"{key}={value}")
        lines.append("")
    return "\n".join(lines)

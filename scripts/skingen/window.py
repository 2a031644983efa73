"""skin.xml: title bar, connection and command panel, tab strip with the
page layout, help and log panes, footer."""

from skingen import items as I
from skingen.model import E, T, combo, fixed_height, label
from skingen.pages import PAGES

WINDOW_W, WINDOW_H = 1400, 800
CAPTION_H = 36
SIDE_W, MAIN_W, LOG_W = 250, 790, 360
TAB_BUTTON_W = 26
STRIP_W = MAIN_W - 2 * TAB_BUTTON_W

# Header button, selector option, caption, fixed width; slot order.
TABS = [
    ("WorkModeTab", "WorkMode", T("Work mode", "工作模式"), 88),
    ("ServerTab", "Server", T("Servers", "服务器"), 76),
    ("SerialTab", "Serial", T("Serial ports", "串口"), 92),
    ("IOTab", "IO", T("Digital I/O", "数字I/O"), 92),
    ("WirelessTab", "Wireless", T("Dial-up", "拨号"), 76),
    ("GlobalTab", "Global", T("Global", "全局参数"), 76),
    ("EquimentTab", "Equiment", T("Management", "设备管理"), 104),
    ("LoraTab", "Lora", T("LoRa", "LoRa"), 64),
    ("ZigbeeTab", "Zigbee", T("ZigBee", "ZigBee"), 72),
    ("GPSTab", "GPS", T("GPS", "GPS"), 56),
    ("OperationTab", "Operation", T("Self-check", "自检"), 92),
]


def sys_button(name, image, tooltip, visible=None, style="sysbtn"):
    return E("Button", name=name, width=40, bkimage=image, tooltip=tooltip, visible=visible, style=style)


def title_bar():
    return E("HorizontalLayout", [
        E("Container", name="Logo_Container", width=36, bkimage="logo.png"),
        E("Label", name="Ver", text="K9x40", width=520, style="caption"),
        E("Container", name="CaptionDragArea"),  # empty band: dragging here moves the window
        sys_button("minbtn", "sys_min.png", T("Minimise", "最小化")),
        sys_button("maxbtn", "sys_max.png", T("Maximise", "最大化")),
        sys_button("restorebtn", "sys_restore.png", T("Restore", "还原"), visible=False),
        sys_button("closebtn", "sys_close.png", T("Close", "关闭"), style="closebtn"),
    ], name="TitleBar", height=CAPTION_H, style="titlebar", inset="0,0,0,0")


def side_row(text, field):
    return E("HorizontalLayout", [label(text, width=70), field], height=28, childpadding=8)


def command(name, text, style="action"):
    return E("Button", name=name, text=text, height=30, style=style)


def button_row(*buttons):
    return E("HorizontalLayout", list(buttons), height=30, childpadding=8)


def side_panel():
    connection = fixed_height(E("GroupBox", [
        side_row(T("Port", "串口"), combo("SerialPort", [], width=136)),
        side_row(T("Baud rate", "波特率"),
                 combo("BaudRate1", I.BAUD_RATES, width=136, selectedid=I.BAUD_RATES.index("115200"))),
        side_row(T("Format", "校验位"), combo("Checkcode", I.LINE_FORMATS, width=136, selectedid=0)),
        button_row(command("Open", T("Open", "打开串口"), style="primary"),
                   command("Login", T("Login", "登录"))),
        E("HorizontalLayout", [
            E("Label", name="DeviceState", text=T("Not logged in", "未登录"), style="state", align="center"),
        ], height=28),
        side_row(T("Language", "语言"),
                 combo("Language", I.LANGUAGES, width=136, selectedid=T("0", "1"))),
    ], name="ConnectionGroupBox", text=T("Connection", "连接"), inset="12,28,12,10", childpadding=6,
        style="card"))
    commands = fixed_height(E("GroupBox", [
        button_row(command("Load", T("Read settings", "读取参数"), style="primary"),
                   command("Save", T("Write changes", "写入参数"), style="primary")),
        button_row(command("LoadFromFile", T("Load file", "导入配置")),
                   command("SaveToFile", T("Save to file", "导出配置"))),
        button_row(command("RestoreFactory", T("Factory reset", "恢复出厂"), style="danger"),
                   command("Clear", T("Clear log", "清空日志"))),
    ], name="CommandGroupBox", text=T("Settings", "参数操作"), inset="12,28,12,10", childpadding=8,
        style="card"))
    return E("VerticalLayout", [connection, commands, E("Container")], name="SidePanel", width=SIDE_W,
             inset="10,10,0,10", childpadding=10, style="panel")


def tab_strip():
    headers = [
        E("HorizontalLayout", [
            E("Option", name=option, text=text, group="TabPages", selected=(i == 0) or None,
              style="tabheader"),
        ], name=button, width=width)
        for i, (button, option, text, width) in enumerate(TABS)
    ]
    return E("HorizontalLayout", [
        E("Button", name="TabLeft", text="‹", width=TAB_BUTTON_W, style="tabscroll",
          tooltip=T("Earlier pages", "向左滚动")),
        # Headers past the right edge are clipped; TabLeft and TabRight scroll them.
        E("HorizontalLayout", headers, name="HorizontalLayoutUI6", width=STRIP_W, clip=True, style="tabstrip"),
        E("Button", name="TabRight", text="›", width=TAB_BUTTON_W, style="tabscroll",
          tooltip=T("Later pages", "向右滚动")),
    ], name="TabBar", height=34)


def main_area():
    pages = [E(cls, name=f"{button[:-3]}Page") for (cls, _, _), (button, *_rest) in zip(PAGES, TABS)]
    return E("VerticalLayout", [
        tab_strip(),
        E("TabLayout", pages, name="switch", selectedid=0, style="pages"),
    ], name="MainArea", width=MAIN_W)


def log_panel():
    return E("VerticalLayout", [
        E("GroupBox", [
            E("RichEdit", name="HelpRichEdit", readonly=True, style="help"),
        ], name="helpGroupBox", text=T("Help", "帮助"), height=260, inset="10,28,10,10", style="card"),
        E("GroupBox", [
            E("RichEdit", name="richedit", readonly=True, style="log"),
        ], name="LogGroupBox", text=T("Terminal log", "通信日志"), inset="10,28,10,10", style="card"),
    ], name="LogPanel", width=LOG_W, inset="0,10,10,10", childpadding=10)


def window():
    body = E("HorizontalLayout", [side_panel(), main_area(), log_panel()], name="Body",
             childpadding=0)
    footer = E("HorizontalLayout", [
        E("Label", name="VerDown", text="Vantoria", style="footer", align="center"),
    ], name="StatusBar", height=24, style="statusbar")
    root = E("VerticalLayout", [title_bar(), body, footer], name="Root", style="window")
    return E("Window", [root], size=f"{WINDOW_W},{WINDOW_H}", caption=f"0,0,0,{CAPTION_H}",
             mininfo="1200,700")

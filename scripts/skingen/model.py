"""Element model shared by the skin page descriptions.

A page is described once; display texts are T(english, chinese) pairs and are
resolved per language when the XML is written, so the two skins can differ
only in what the user reads.
"""

from xml.sax.saxutils import quoteattr


class T:
    """A display text in both languages."""

    def __init__(self, en, zh):
        self.en = en
        self.zh = zh

    def get(self, lang):
        return self.en if lang == "en" else self.zh


def resolve(value, lang):
    if isinstance(value, T):
        return value.get(lang)
    if isinstance(value, bool):
        return "true" if value else "false"
    return str(value)


class E:
    """One XML element: tag, attributes in writing order, children."""

    def __init__(self, tag, children=None, **attrs):
        self.tag = tag
        self.attrs = {}
        for key, value in attrs.items():
            if value is None:
                continue
            self.attrs[key.rstrip("_")] = value
        self.children = [c for c in (children or []) if c is not None]

    def write(self, lang, indent=0, out=None):
        out = [] if out is None else out
        pad = "  " * indent
        attrs = "".join(f" {k}={quoteattr(resolve(v, lang))}" for k, v in self.attrs.items())
        if not self.children:
            out.append(f"{pad}<{self.tag}{attrs}/>")
        else:
            out.append(f"{pad}<{self.tag}{attrs}>")
            for child in self.children:
                child.write(lang, indent + 1, out)
            out.append(f"{pad}</{self.tag}>")
        return out

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()


def document(root, lang):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>']
    root.write(lang, 0, lines)
    return "\n".join(lines) + "\n"


# Form metrics. Rows are 25 px apart; a managed box is 60 px with its first row,
# so the heights the layout rules set fit these boxes exactly.
ROW = 25
LABEL_W = 160
FIELD_W = 188
BOX_INSET = "12,28,12,7"  # left, top, right, bottom: 28 + first row 25 + 7 = 60


def label(text, width=LABEL_W, **kw):
    return E("Label", text=text, width=width, align="right", style="fieldlabel", **kw)


def edit(name, width=FIELD_W, **kw):
    return E("Edit", name=name, width=width, **kw)


def combo(name, items, width=FIELD_W, **kw):
    return E("Combo", [E("Item", text=i) for i in items], name=name, width=width, **kw)


def pair(text, field, name=None, visible=None, label_w=LABEL_W, tooltip=None):
    """A label and its field in a container of their own; named when it is a
    row the layout rules switch."""
    if tooltip is not None:
        field.attrs.setdefault("tooltip", tooltip)
    controls = [label(text, width=label_w), field]
    width = label_w + 8 + int(field.attrs["width"])
    return [E("HorizontalLayout", controls, name=name, visible=visible, width=width, childpadding=8)]


def row(*parts, name=None, visible=None, height=ROW):
    """One form row. Parts are pair() results or single controls; fixed widths
    pack them from the left."""
    children = []
    for p in parts:
        if isinstance(p, list):
            children.extend(p)
        else:
            children.append(p)
    return E("HorizontalLayout", children, name=name, visible=visible, height=height, childpadding=16)


def _inset(e):
    parts = [int(x) for x in str(e.attrs.get("inset", "0,0,0,0")).split(",")]
    return parts[1], parts[3]


def shown_height(e):
    """Height a control takes in a vertical parent as the skin starts."""
    if e.attrs.get("visible") is False:
        return 0
    if e.tag == "HorizontalLayout" and e.children and all(
            c.attrs.get("visible") is False for c in e.children):
        return 0  # a packing row with nothing shown collapses
    if "height" in e.attrs:
        return int(e.attrs["height"])
    return content_height(e)


def content_height(e):
    shown = [h for h in (shown_height(c) for c in e.children) if h > 0]
    top, bottom = _inset(e)
    return top + bottom + sum(shown) + int(e.attrs.get("childpadding", 0)) * max(0, len(shown) - 1)


def block(rows, name=None, visible=None):
    """Rows stacked under one name; fixed to their full height so a box's
    height is shared by nothing but its rows."""
    e = E("VerticalLayout", rows, name=name)
    e.attrs["height"] = content_height(e)
    if visible is not None:
        e.attrs["visible"] = visible
    return e


def box(name, title, rows, height=None, visible=None):
    """A titled box. `height` is what the layout rules would set for the
    initial rows; it must agree with them."""
    e = E("GroupBox", rows, name=name, text=title, inset=BOX_INSET, style="card")
    natural = content_height(e)
    if height is not None and height != natural:
        raise ValueError(f"{name}: height {height} but its shown rows need {natural}")
    e.attrs["height"] = natural
    if visible is not None:
        e.attrs["visible"] = visible
    return e


def fixed_height(e):
    e.attrs["height"] = content_height(e)
    return e


def page(name, boxes):
    return E("VerticalLayout", boxes + [E("Container")], name=name, vscroll=True,
             inset="10,10,10,10", childpadding=10)


def _insets(e):
    parts = [int(x) for x in str(e.attrs.get("inset", "0,0,0,0")).split(",")]
    return parts[0] + parts[2]


def check_widths(e, available, path="", problems=None):
    """Lists every horizontal container whose fixed-width children (and the
    gaps between them) do not fit the width it gets."""
    problems = [] if problems is None else problems
    width = int(e.attrs["width"]) if "width" in e.attrs else available
    where = f"{path}/{e.attrs.get('name', e.tag)}"
    inner = width - _insets(e)
    kids = e.children if e.tag != "Combo" else []
    if e.tag == "HorizontalLayout" and kids and e.attrs.get("clip") is not True:
        fixed = sum(int(c.attrs.get("width", 0)) for c in kids)
        gaps = int(e.attrs.get("childpadding", 0)) * (len(kids) - 1)
        if fixed + gaps > inner:
            problems.append(f"{where}: {fixed + gaps} px of children in {inner} px")
        flex = [c for c in kids if "width" not in c.attrs]
        share = (inner - fixed - gaps) // len(flex) if flex else 0
        for c in kids:
            check_widths(c, int(c.attrs.get("width", share)), where, problems)
    else:
        for c in kids:
            check_widths(c, inner, where, problems)
    return problems

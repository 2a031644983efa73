#include "qtpaint/control_painter.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QVariant>
#include <map>

#include "qtpaint/skin_widgets.h"

namespace qtpaint {
namespace {

const char* const kControlProperty = "k9x40Control";

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Buttons and group titles read '&' as a mnemonic; the skin's texts are literal.
QString Literal(std::string_view s) { return Q(s).replace(QLatin1Char('&'), QLatin1String("&&")); }

bool IsContainer(ui::ControlKind k) {
  switch (k) {
    case ui::ControlKind::Container:
    case ui::ControlKind::VerticalLayout:
    case ui::ControlKind::HorizontalLayout:
    case ui::ControlKind::GroupBox:
    case ui::ControlKind::TabLayout:
      return true;
    default:
      return false;
  }
}

// "l,t,r,b" in pixels; missing numbers are 0.
QMargins ParseInset(const std::string& v) {
  int m[4] = {0, 0, 0, 0};
  std::size_t pos = 0;
  for (int i = 0; i < 4 && pos <= v.size(); ++i) {
    const std::size_t comma = v.find(',', pos);
    m[i] = std::atoi(v.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos).c_str());
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return QMargins(m[0], m[1], m[2], m[3]);
}

Qt::Alignment ParseAlign(const std::string& v) {
  if (v == "right") return Qt::AlignRight | Qt::AlignVCenter;
  if (v == "center") return Qt::AlignHCenter | Qt::AlignVCenter;
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

ControlPainter::ControlPainter(ui::PaintManager& pm, std::filesystem::path skinDir, QWidget* host)
    : pm_(pm), skinDir_(std::move(skinDir)), host_(host) {
  auto* layout = new QVBoxLayout(host);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  pm_.setObserver(this);
  if (ui::Control* root = pm_.root()) controlChanged(*root, ui::Change::Children, {});
}

ControlPainter::~ControlPainter() {
  if (pm_.observer() == this) pm_.setObserver(nullptr);
}

QWidget* ControlPainter::widgetFor(const ui::Control* c) const {
  auto it = nodes_.find(c);
  return it == nodes_.end() ? nullptr : it->second.widget;
}

QWidget* ControlPainter::rootWidget() const { return widgetFor(root_); }

ui::Control* ControlPainter::controlAt(const QWidget* w) const {
  for (; w; w = w->parentWidget()) {
    const QVariant v = w->property(kControlProperty);
    if (!v.isValid()) continue;
    auto* c = reinterpret_cast<ui::Control*>(v.value<quintptr>());
    if (nodes_.count(c)) return c;
  }
  return nullptr;
}

ControlPainter::Node* ControlPainter::node(const ui::Control* c) {
  auto it = nodes_.find(c);
  return it == nodes_.end() ? nullptr : &it->second;
}

void ControlPainter::controlChanged(ui::Control& control, ui::Change what, std::string_view attribute) {
  if (!host_) return;
  Node* n = node(&control);
  if (what == ui::Change::Children && &control == pm_.root()) {
    if (!n) {
      if (root_) forget(root_);
      root_ = &control;
      build(control, host_, nullptr);
      return;
    }
  }
  if (!n) return;  // not drawn (yet): a page being built, an item of a combo
  switch (what) {
    case ui::Change::Text: applyText(*n); break;
    case ui::Change::Visible: applyVisible(*n, true); break;
    case ui::Change::Enabled: n->outer->setEnabled(control.enabled()); break;
    case ui::Change::BkImage: applyImage(*n); break;
    case ui::Change::Attribute: applyAttribute(*n, attribute); break;
    case ui::Change::Selection: applySelection(*n); break;
    case ui::Change::Items: applyItems(*n); break;
    case ui::Change::Children:
      buildChildren(*n);
      applyVisible(*n, true);
      break;
    case ui::Change::Focus: break;  // the widget had it first
  }
}

void ControlPainter::build(ui::Control& c, QWidget* parentWidget, Node* parentNode) {
  Node& n = nodes_[&c];
  n = Node{};
  n.control = &c;
  n.widget = makeWidget(c, n);
  n.widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&c)));
  n.outer = n.widget;
  if (IsContainer(c.kind()) && c.attribute("vscroll") == "true") {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setWidget(n.widget);
    scroll->setProperty("role", "scroll");
    n.outer = scroll;
  }
  n.slot = n.outer;

  if (parentNode && parentNode->stack) {
    auto* holder = new QWidget;
    auto* hl = new QVBoxLayout(holder);
    hl->setContentsMargins(0, 0, 0, 0);
    hl->addWidget(n.outer);
    parentNode->stack->addWidget(holder);
    n.slot = holder;
  } else if (parentNode && parentNode->box) {
    parentNode->box->insertWidget(parentNode->box->count() - 1, n.outer);
  } else if (parentNode) {
    n.outer->setParent(parentWidget);  // children of a leaf control: kept, not laid out
  } else {
    parentWidget->layout()->addWidget(n.outer);
  }

  applyAll(n);
  wireUserActions(n);
  buildChildren(n);
  // nodes_ may have rehashed while the children were built.
  Node& self = nodes_[&c];
  applySelection(self);
  applyVisible(self, false);
}

QWidget* ControlPainter::makeWidget(ui::Control& c, Node& n) {
  using K = ui::ControlKind;
  switch (c.kind()) {
    case K::GroupBox: {
      auto* g = new QGroupBox;
      n.box = new QVBoxLayout(g);
      break;
    }
    case K::TabLayout: n.stack = new QStackedWidget; return n.stack;
    case K::Label: {
      auto* l = new QLabel;
      l->setTextFormat(Qt::PlainText);
      return l;
    }
    case K::Button: return new SkinButton;
    case K::Option: {
      auto* b = new SkinButton;
      b->setCheckable(true);
      return b;
    }
    case K::Edit: return new SkinEdit;
    case K::Combo: return new SkinCombo;
    case K::RichEdit: return new TextPane;
    case K::HorizontalLayout: {
      auto* p = new SkinPanel;
      n.box = new QHBoxLayout(p);
      break;
    }
    default: {
      auto* p = new SkinPanel;
      n.box = new QVBoxLayout(p);
      break;
    }
  }
  QWidget* w = n.box->parentWidget();
  n.box->setContentsMargins(0, 0, 0, 0);
  n.box->setSpacing(0);
  n.box->addStretch(0);  // takes what fixed-size children leave over
  return w;
}

void ControlPainter::forget(const ui::Control* c) {
  auto it = nodes_.find(c);
  if (it == nodes_.end()) return;
  QWidget* slot = it->second.slot;
  const std::vector<const ui::Control*> kids = it->second.kids;
  nodes_.erase(it);
  for (const ui::Control* k : kids) {
    // Their widgets die with ours; only the entries go.
    auto kit = nodes_.find(k);
    if (kit != nodes_.end()) kit->second.slot = nullptr;
    forget(k);
  }
  delete slot;
}

void ControlPainter::buildChildren(Node& n) {
  ui::Control* c = n.control;
  const std::vector<const ui::Control*> old = n.kids;
  for (const ui::Control* k : old) forget(k);
  std::vector<const ui::Control*> kids;
  if (c->kind() != ui::ControlKind::Combo) {
    for (const auto& child : c->children()) {
      Node* self = node(c);
      build(*child, self->widget, self);
      kids.push_back(child.get());
    }
  }
  node(c)->kids = std::move(kids);
}

void ControlPainter::applyAll(Node& n) {
  const ui::Control& c = *n.control;
  n.widget->setObjectName(Q(c.name()));
  for (const auto& [name, value] : c.attributes()) applyAttribute(n, name);
  applySize(n);
  applyText(n);
  applyImage(n);
  applyItems(n);
  n.outer->setEnabled(c.enabled());
}

void ControlPainter::applyText(Node& n) {
  const ui::Control& c = *n.control;
  using K = ui::ControlKind;
  switch (c.kind()) {
    case K::Label: static_cast<QLabel*>(n.widget)->setText(Q(c.text())); break;
    case K::Button:
    case K::Option: static_cast<QPushButton*>(n.widget)->setText(Literal(c.text())); break;
    case K::GroupBox: static_cast<QGroupBox*>(n.widget)->setTitle(Literal(c.text())); break;
    case K::Edit: {
      auto* e = static_cast<QLineEdit*>(n.widget);
      const QString t = Q(c.text());
      if (e->text() != t) {  // typing comes back as the same text: keep the cursor
        QSignalBlocker block(e);
        e->setText(t);
      }
      break;
    }
    case K::RichEdit: {
      auto* pane = static_cast<TextPane*>(n.widget);
      pane->follow(c.text());  // a shorter text (a reset) redraws it all
      break;
    }
    default: break;
  }
}

void ControlPainter::applyVisible(Node& n, bool propagate) {
  const ui::Control& c = *n.control;
  bool shown = c.visible();
  // A container whose children are all hidden takes no room.
  if (shown && IsContainer(c.kind()) && c.kind() != ui::ControlKind::TabLayout && !n.kids.empty()) {
    bool any = false;
    for (const ui::Control* k : n.kids) {
      if (const Node* kn = node(k); kn && kn->shown) any = true;
    }
    shown = any;
  }
  const bool was = n.shown;
  n.shown = shown;
  n.outer->setVisible(shown);
  if (propagate && was != shown && c.parent()) {
    if (Node* p = node(c.parent())) applyVisible(*p, true);
  }
}

void ControlPainter::applyImage(Node& n) {
  const std::string& file = n.control->bkImage();
  if (auto* b = qobject_cast<SkinButton*>(n.widget)) b->setImage(loadImage(file));
  else if (auto* p = qobject_cast<SkinPanel*>(n.widget)) p->setImage(loadImage(file));
}

QPixmap ControlPainter::loadImage(const std::string& file) const {
  if (file.empty()) return {};
  const std::filesystem::path path = skinDir_ / file;
  return QPixmap(QString::fromStdString(path.string()));
}

void ControlPainter::applySelection(Node& n) {
  const ui::Control& c = *n.control;
  using K = ui::ControlKind;
  if (c.kind() == K::Option) {
    auto* b = static_cast<QPushButton*>(n.widget);
    QSignalBlocker block(b);
    b->setChecked(static_cast<const ui::Option&>(c).selected());
  } else if (c.kind() == K::TabLayout) {
    const int i = static_cast<const ui::TabLayout&>(c).currentIndex();
    if (i >= 0 && i < n.stack->count()) n.stack->setCurrentIndex(i);
  } else if (c.kind() == K::Combo) {
    auto* box = static_cast<QComboBox*>(n.widget);
    QSignalBlocker block(box);
    box->setCurrentIndex(static_cast<const ui::Combo&>(c).currentSelection());
  }
}

void ControlPainter::applyItems(Node& n) {
  if (n.control->kind() != ui::ControlKind::Combo) return;
  const auto& combo = static_cast<const ui::Combo&>(*n.control);
  auto* box = static_cast<QComboBox*>(n.widget);
  QSignalBlocker block(box);
  box->clear();
  for (const auto& item : combo.items()) box->addItem(Q(item));
  box->setCurrentIndex(combo.currentSelection());
}

void ControlPainter::applySize(Node& n) {
  const ui::Control& c = *n.control;
  QWidget* w = n.outer;
  QSizePolicy policy = w->sizePolicy();
  if (c.fixedWidth() > 0) {
    w->setFixedWidth(c.fixedWidth());
    policy.setHorizontalPolicy(QSizePolicy::Fixed);
  } else {
    w->setMinimumWidth(0);
    w->setMaximumWidth(QWIDGETSIZE_MAX);
    policy.setHorizontalPolicy(QSizePolicy::Expanding);
  }
  if (c.fixedHeight() > 0) {
    w->setFixedHeight(c.fixedHeight());
    policy.setVerticalPolicy(QSizePolicy::Fixed);
  } else {
    w->setMinimumHeight(0);
    w->setMaximumHeight(QWIDGETSIZE_MAX);
    policy.setVerticalPolicy(QSizePolicy::Expanding);
  }
  w->setSizePolicy(policy);
  placeInParent(n);
}

void ControlPainter::placeInParent(Node& n) {
  const ui::Control* parent = n.control->parent();
  Node* p = parent ? node(parent) : nullptr;
  if (!p || !p->box) return;
  // Children without a fixed size share what the fixed ones leave.
  const bool horizontal = p->box->direction() == QBoxLayout::LeftToRight;
  const bool fixed = horizontal ? n.control->fixedWidth() > 0 : n.control->fixedHeight() > 0;
  p->box->setStretchFactor(n.outer, fixed ? 0 : 1);
}

void ControlPainter::applyAttribute(Node& n, std::string_view name) {
  const ui::Control& c = *n.control;
  const std::string value = c.attribute(name);
  if (name == "width" || name == "height") {
    applySize(n);
  } else if (name == "name") {
    n.widget->setObjectName(Q(c.name()));
  } else if (name == "tooltip") {
    n.widget->setToolTip(Q(value));
  } else if (name == "inset" && n.box) {
    n.box->setContentsMargins(ParseInset(value));
  } else if (name == "childpadding" && n.box) {
    n.box->setSpacing(std::max(0, std::atoi(value.c_str())));
  } else if (name == "style") {
    n.widget->setProperty("role", Q(value));
    // Before the first show the sheet is applied anyway; polishing now would do it twice.
    if (n.widget->testAttribute(Qt::WA_WState_Polished)) {
      n.widget->style()->unpolish(n.widget);
      n.widget->style()->polish(n.widget);
    }
  } else if (name == "align") {
    if (auto* l = qobject_cast<QLabel*>(n.widget)) l->setAlignment(ParseAlign(value));
    else if (auto* e = qobject_cast<QLineEdit*>(n.widget)) e->setAlignment(ParseAlign(value));
  } else if (name == "readonly") {
    if (auto* e = qobject_cast<QLineEdit*>(n.widget)) e->setReadOnly(value == "true");
  } else if (name == "password") {
    if (auto* e = qobject_cast<QLineEdit*>(n.widget))
      e->setEchoMode(value == "true" ? QLineEdit::Password : QLineEdit::Normal);
  } else if (name == "scroll") {
    if (auto* pane = qobject_cast<TextPane*>(n.widget)) pane->scrollToEnd();
  }
}

void ControlPainter::wireUserActions(Node& n) {
  ui::Control* c = n.control;
  // Every handler checks the control is still drawn: a notification may
  // have rebuilt part of the tree meanwhile.
  if (auto* b = qobject_cast<SkinButton*>(n.widget)) {
    connect(b, &QPushButton::clicked, this, [this, c] {
      if (!node(c)) return;
      pm_.userClick(*c);
      if (Node* again = node(c)) applySelection(*again);  // the model decides the check mark
    });
  } else if (auto* box = qobject_cast<SkinCombo*>(n.widget)) {
    auto* combo = static_cast<ui::Combo*>(c);
    connect(box, &QComboBox::activated, this, [this, combo](int index) {
      if (!node(combo)) return;
      pm_.userSelectItem(*combo, index);
      if (Node* again = node(combo)) applySelection(*again);
    });
    box->onDropDown = [this, combo] {
      if (node(combo)) pm_.userDropDown(*combo);
    };
  } else if (auto* e = qobject_cast<SkinEdit*>(n.widget)) {
    connect(e, &QLineEdit::textEdited, this, [this, c](const QString& t) {
      if (!node(c)) return;
      const QByteArray bytes = t.toUtf8();
      pm_.userSetText(*c, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    });
  }
  // Focus notifications run after the focus event: their handlers may open
  // a modal box, which must not start inside Qt's focus change.
  FocusCallback focus = [this, c](bool gained) {
    QMetaObject::invokeMethod(this, [this, c, gained] {
      if (node(c)) pm_.userFocus(*c, gained);
    }, Qt::QueuedConnection);
  };
  if (auto* e = qobject_cast<SkinEdit*>(n.widget)) e->onFocus = focus;
  else if (auto* box = qobject_cast<SkinCombo*>(n.widget)) box->onFocus = focus;
}

}  // namespace qtpaint

#include "ui/skin_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ui/paint_manager.h"

namespace ui {
namespace {

constexpr const char* kWindow = R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="1400,800" caption="0,0,0,36" roundcorner="4,4">
  <VerticalLayout name="root" bkimage="bg.png">
    <Label name="Ver" text="K9x40 &quot;V&quot; 配置工具" align="center"/>
    <Combo name="BaudRate1" selectedid="1" width="90">
      <Item text="9600"/><Item text="115200"/><Item text="230400"/>
    </Combo>
    <TabLayout name="switch" selectedid="1">
      <WorkTab/>
      <Wireless name="page1"><Edit name="APN" height="30" visible="false"/></Wireless>
      <Nothing><Button name="lost"/></Nothing>
    </TabLayout>
    <HorizontalLayout>
      <Option name="WorkMode" group="tabs" selected="true"/>
      <Option name="Server" group="tabs"/>
    </HorizontalLayout>
    <RichEdit name="richedit"/>
  </VerticalLayout>
</Window>)";

std::unique_ptr<Control> PageFactory(std::string_view cls) {
  if (cls == "Nothing") return nullptr;
  return std::make_unique<Container>();
}

TEST(SkinBuilderTest, BuildsWindowTreeWithAttributesItemsAndCustomElements) {
  std::vector<std::string> asked;
  SkinDocument doc = BuildSkinFromText(kWindow, [&](std::string_view cls) {
    asked.emplace_back(cls);
    return PageFactory(cls);
  });
  ASSERT_TRUE(doc.root) << doc.error;
  EXPECT_EQ(doc.width, 1400);
  EXPECT_EQ(doc.height, 800);
  EXPECT_EQ(doc.captionHeight, 36);
  EXPECT_EQ(doc.windowAttributes.at("roundcorner"), "4,4");
  EXPECT_EQ(asked, (std::vector<std::string>{"WorkTab", "Wireless", "Nothing"}));

  PaintManager pm;
  pm.setRoot(std::move(doc.root));
  Control* root = pm.root();
  EXPECT_EQ(root->kind(), ControlKind::VerticalLayout);
  EXPECT_EQ(root->bkImage(), "bg.png");

  Control* ver = pm.findControl("Ver");
  ASSERT_TRUE(ver);
  EXPECT_EQ(ver->className(), "Label");
  EXPECT_EQ(ver->text(), "K9x40 \"V\" 配置工具");
  EXPECT_EQ(ver->attribute("align"), "center");

  auto* baud = pm.find<Combo>("BaudRate1");
  ASSERT_TRUE(baud);
  EXPECT_EQ(baud->items(), (std::vector<std::string>{"9600", "115200", "230400"}));
  EXPECT_EQ(baud->currentSelection(), 1);
  EXPECT_EQ(baud->fixedWidth(), 90);
  EXPECT_TRUE(baud->children().empty());

  auto* tab = pm.find<TabLayout>("switch");
  ASSERT_TRUE(tab);
  ASSERT_EQ(tab->children().size(), 2u);  // the skipped element took its button along
  EXPECT_EQ(tab->children()[0]->className(), "WorkTab");
  EXPECT_EQ(tab->currentIndex(), 1);
  EXPECT_EQ(pm.findControl("lost"), nullptr);

  Control* apn = pm.findControl("APN");  // children of a custom element are built into it
  ASSERT_TRUE(apn);
  EXPECT_EQ(apn->parent()->name(), "page1");
  EXPECT_EQ(apn->fixedHeight(), 30);
  EXPECT_FALSE(apn->visible());

  EXPECT_TRUE(pm.find<Option>("WorkMode")->selected());
  EXPECT_EQ(pm.find<Option>("Server")->group(), "tabs");
  pm.find<Option>("Server")->setSelected(true);
  EXPECT_FALSE(pm.find<Option>("WorkMode")->selected());
  EXPECT_TRUE(pm.find<RichEdit>("richedit"));
}

TEST(SkinBuilderTest, UnknownElementsWithoutFactoryAreSkipped) {
  SkinDocument doc = BuildSkinFromText("<VerticalLayout><WorkTab><Label name='x'/></WorkTab>"
                                       "<Item text='stray'/><Label name='y'/></VerticalLayout>");
  ASSERT_TRUE(doc.root) << doc.error;
  EXPECT_EQ(doc.width, 0);  // a page document has no window
  ASSERT_EQ(doc.root->children().size(), 1u);
  EXPECT_EQ(doc.root->children()[0]->name(), "y");
}

TEST(SkinBuilderTest, BadDocumentsGiveNoTreeAndSayWhy) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<Container>";
  for (int i = 0; i < 5000; ++i) deep += "</Container>";
  struct Case {
    std::string xml;
    std::string why;
  } cases[] = {
      {"<VerticalLayout>\n  <Label name='a'>\n</VerticalLayout>", "line 3"},
      {"", "line 1"},
      {"<Window size='10,10'/>", "holds no control"},
      {"<Window><Item text='a'/><Mystery/></Window>", "no control for element <Mystery>"},
      {"<Mystery/>", "no control for element <Mystery>"},
      {deep, "nested deeper"},
  };
  for (const Case& c : cases) {
    SkinDocument doc = BuildSkinFromText(c.xml);
    EXPECT_FALSE(doc.root) << c.why;
    EXPECT_NE(doc.error.find(c.why), std::string::npos) << doc.error;
  }
}

TEST(SkinBuilderTest, ReadsFilesAndReportsMissingOnes) {
  const auto dir = std::filesystem::path(::testing::TempDir()) / "skin_builder_test";
  std::filesystem::create_directories(dir);
  const auto file = dir / "Service Centre.xml";
  {
    std::ofstream out(file, std::ios::binary);
    out << "\xEF\xBB\xBF<Container name='page'>\r\n<Edit name='Server&apos;s Ip'/>\r\n</Container>";
  }
  SkinDocument doc = BuildSkin(file);
  ASSERT_TRUE(doc.root) << doc.error;
  EXPECT_TRUE(doc.root->findByName("Server's Ip"));

  SkinDocument missing = BuildSkin(dir / "Wireless.xml");
  EXPECT_FALSE(missing.root);
  EXPECT_NE(missing.error.find("Wireless.xml"), std::string::npos);

  {
    std::ofstream out(file, std::ios::binary);
    out << "<Container>\n<Label text='unterminated/>\n";
  }
  SkinDocument bad = BuildSkin(file);
  EXPECT_FALSE(bad.root);
  EXPECT_NE(bad.error.find("Service Centre.xml:"), std::string::npos) << bad.error;
}

}  // namespace
}  // namespace ui

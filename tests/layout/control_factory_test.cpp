// The page factory and page classes against small skin folders of our own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "layout/control_factory.h"
#include "layout/tab_pages.h"
#include "ui/skin_builder.h"

namespace {

namespace fs = std::filesystem;

class PageFactory : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("k9x40-pages-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A page document whose root label is named after the document.
  void Page(const std::string& file, const std::string& xml = {}) {
    std::ofstream(dir_ / file) << (xml.empty() ? "<Label name=\"" + file + "\"/>" : xml);
  }

  // Name of the page's only child, or "(empty)".
  static std::string Content(const ui::Control& page) {
    if (page.children().empty()) return "(empty)";
    EXPECT_EQ(page.children().size(), 1u);
    return page.children().front()->name();
  }

  fs::path dir_;
};

template <class T>
bool Is(const ui::Control* c) {
  return dynamic_cast<const T*>(c) != nullptr;
}

TEST_F(PageFactory, ClassNamesPickPageClassAndDocument) {
  struct Case {
    const char* className;
    const char* document;
    bool (*isExpectedClass)(const ui::Control*);
  };
  const Case cases[] = {
      {"ComputerExamine", "ComputerExamine.xml", &Is<layout::ComputerExamineUI>},
      {"WorkTab", "WorkTab.xml", &Is<layout::WorkTabUI>},
      {"Wireless", "Wireless.xml", &Is<layout::WirelessTabUI>},
      {"ServiceCentre", "Service Centre.xml", &Is<layout::ServiceCentreTabUI>},
      {"SerialPort", "Serial port.xml", &Is<layout::SerialPortTabUI>},
      {"Global_Parameter", "Global Parameter.xml", &Is<layout::Global_ParameterTabUI>},
      {"Equipment_Management", "Equipment Management.xml", &Is<layout::Equipment_ManagementTabUI>},
      {"Child_Management", "Child_Management.xml", &Is<layout::Child_ManagementTabUI>},
      {"LoRa", "LoRa.xml", &Is<layout::Child_ManagementTabUI>},
      // Exact names only: another spelling is just another document.
      {"workTab", "workTab.xml", &Is<layout::Child_ManagementTabUI>},
  };
  for (const Case& c : cases) Page(c.document);
  layout::CDialogBuilderCallbackEx factory(dir_);
  for (const Case& c : cases) {
    std::unique_ptr<ui::Control> page = factory.CreateControl(c.className);
    ASSERT_NE(page, nullptr) << c.className;
    EXPECT_TRUE(c.isExpectedClass(page.get())) << c.className;
    EXPECT_EQ(page->kind(), ui::ControlKind::Container) << c.className;
    EXPECT_EQ(Content(*page), c.document) << c.className;
  }
  EXPECT_TRUE(factory.pageErrors().empty());
  EXPECT_EQ(factory.CreateControl(""), nullptr);
}

TEST_F(PageFactory, MissingOrBrokenDocumentLeavesThePageEmpty) {
  Page("WorkTab.xml", "<VerticalLayout><Label name=\"a\"></VerticalLayout>");
  std::ofstream(dir_ / "Serial port.xml") << "";  // no control at all
  layout::CDialogBuilderCallbackEx factory(dir_);
  for (const char* cls : {"Wireless", "WorkTab", "SerialPort", "Misspelt"}) {
    std::unique_ptr<ui::Control> page = factory.CreateControl(cls);
    ASSERT_NE(page, nullptr) << cls;
    EXPECT_EQ(Content(*page), "(empty)") << cls;
  }
  ASSERT_EQ(factory.pageErrors().size(), 4u);
  EXPECT_EQ(factory.pageErrors()[0].rfind("Wireless: ", 0), 0u) << factory.pageErrors()[0];
  EXPECT_EQ(factory.pageErrors()[3].rfind("Misspelt: ", 0), 0u) << factory.pageErrors()[3];
}

TEST_F(PageFactory, StandaloneFactoryKeepsItsOwnState) {
  Page("WorkTab.xml");
  ui::ControlFactory make = layout::MakeControlFactory(dir_);
  ui::SkinDocument doc = ui::BuildSkinFromText("<TabLayout name=\"switch\"><WorkTab/></TabLayout>", make);
  ASSERT_NE(doc.root, nullptr) << doc.error;
  ASSERT_EQ(doc.root->children().size(), 1u);
  EXPECT_EQ(Content(*doc.root->children().front()), "WorkTab.xml");
}

TEST_F(PageFactory, PageDocumentsCannotNestPages) {
  Page("WorkTab.xml", "<VerticalLayout name=\"form\"><Wireless/><Label name=\"kept\"/></VerticalLayout>");
  Page("Wireless.xml");
  layout::WorkTabUI page(dir_);
  ASSERT_EQ(Content(page), "form");
  const ui::Control& form = *page.children().front();
  ASSERT_EQ(form.children().size(), 1u) << "a page element inside a page is skipped";
  EXPECT_EQ(form.children().front()->name(), "kept");
}

TEST_F(PageFactory, MainSkinStartsWithOnePageEmptyWhenItsDocumentIsMissing) {
  const fs::path shipped = fs::path(K9X40_SOURCE_DIR) / "skin" / "ConifgENRes";
  for (const auto& entry : fs::directory_iterator(shipped)) fs::copy(entry.path(), dir_ / entry.path().filename());
  fs::remove(dir_ / "Wireless.xml");
  layout::CDialogBuilderCallbackEx factory(dir_);
  ui::SkinDocument doc = ui::BuildSkin(dir_ / "skin.xml", factory.factory());
  ASSERT_NE(doc.root, nullptr) << doc.error;
  auto* tabs = dynamic_cast<ui::TabLayout*>(doc.root->findByName("switch"));
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->children().size(), 11u);
  for (size_t i = 0; i < tabs->children().size(); ++i)
    EXPECT_EQ(tabs->children()[i]->children().empty(), i == 4) << "page " << i;
  EXPECT_EQ(doc.root->findByName("Access Point Name"), nullptr);
  EXPECT_NE(doc.root->findByName("Protocolmodel"), nullptr);
  ASSERT_EQ(factory.pageErrors().size(), 1u);
}

}  // namespace

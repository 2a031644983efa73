#include "params/change_collection.h"

#include <gtest/gtest.h>

#include "params/control_binding.h"
#include "params/direction_switch.h"
#include "params/form_fixture.h"
#include "params/report_parser.h"

namespace params {
namespace {

using testing::Form;
using Writes = std::vector<WriteRequest>;

// A form showing the fixture's report, as after "Load".
struct Loaded : Form {
  Loaded() {
    ParseShowReport(registry, testing::RealisticReport(registry));
    ApplyReport(ctx);
  }
};

TEST(CollectChanges, AnUnchangedFormWritesNothing) {
  Loaded f;
  EXPECT_EQ(CollectChanges(f.ctx), Writes{});
}

TEST(CollectChanges, OneEditedFieldGivesOneExactCommand) {
  Loaded f;
  f.pm.userSetText(f.field("ListenPort"), "5002");
  EXPECT_EQ(CollectChanges(f.ctx), (Writes{{"ListenPort", "5002", "AT+LPORT=5002\r\n"}}));
  // Until the terminal confirms, the next Save sends it again.
  EXPECT_EQ(CollectChanges(f.ctx).size(), 1u);
  f.registry.setValue("ListenPort", "5002");  // what the worker stores on "OK\r\n"
  EXPECT_EQ(CollectChanges(f.ctx), Writes{});
}

TEST(CollectChanges, ValuesPassThroughAsTheyAre) {
  Loaded f;
  f.pm.userSetText(f.field("ListenPort"), "");
  f.pm.userSetText(f.field("RegisterInfo"), " a,\"b\" \xE4\xB8\xAD ");
  f.combo("Protocolmodel").selectItem(9);  // the custom item
  EXPECT_EQ(CollectChanges(f.ctx),
            (Writes{{"ListenPort", "", "AT+LPORT=\r\n"},
                    {"Protocolmodel", "CUST", "At+PROMODE=CUST\r\n"},
                    {"RegisterInfo", " a,\"b\" \xE4\xB8\xAD ",
                     "AT+CONNRGST= a,\"b\" \xE4\xB8\xAD \r\n"}}));
}

TEST(CollectChanges, HiddenRowsAndHiddenTabsWriteNothing) {
  Loaded f;
  f.pm.userSetText(f.field("ZigBee_NetworkID"), "99");  // ZigBee tab not shown
  f.pm.userSetText(f.field("GPS Server's Port"), "99");  // GPS tab not shown
  f.pm.userSetText(f.field("Server's Port"), "99");
  f.registry.setInUse("Server's Port", false);  // its row hidden by the layout rules
  f.tabs[5].shown = false;
  f.pm.userSetText(f.field("ICMP Ip"), "10.0.0.1");
  EXPECT_EQ(CollectChanges(f.ctx), Writes{});
  f.registry.setInUse("LORA ver", true);  // even in use it has no control
  EXPECT_EQ(CollectChanges(f.ctx), Writes{});
}

TEST(CollectChanges, IoSelectorsWriteTheChannelWorkmode) {
  Loaded f;
  f.combo("I/O selection").selectItem(1);
  f.combo("I/O1 control").selectItem(2);
  f.combo("I/O3 control").selectItem(6);  // unchanged, and 6 means no side write
  EXPECT_EQ(CollectChanges(f.ctx),
            (Writes{{"DIO2 workmode", "4", "AT+DIOWORKMODE2=4\r\n"},
                    {"I/O1 control", "2", "AT+DIOMAPC1=2\r\n"},
                    {"DIO1 workmode", "5", "AT+DIOWORKMODE1=5\r\n"}}));
  // A side write compares with the registry, not with an earlier write.
  f.registry.setValue("DIO2 workmode", "4");
  f.registry.setValue("DIO1 workmode", "5");
  f.registry.setValue("I/O1 control", "2");
  f.registry.setValue("DIO1 and mapping center", "2");
  // DIO1 workmode (IOTab) now reads "0" from its list, I/O1 Mode index 0 nothing.
  EXPECT_EQ(CollectChanges(f.ctx),
            (Writes{{"DIO1 and mapping center", "6", "AT+DIOMAPC1=6\r\n"},
                    {"DIO1 workmode", "0", "AT+DIOWORKMODE1=0\r\n"},
                    {"DIO2 workmode", "1", "AT+DIOWORKMODE2=1\r\n"}}));
}

TEST(CollectChanges, SwitchesReadWithTheCarriedBits) {
  Loaded f;
  f.registry.setValue("EL transmit channel", "204");  // 0xCC: no switch bits
  SetDirection(f.pm, "Lora2COM", false);
  SetDirection(f.pm, "GPRS2Lora", false);
  // Lora: COM2Lora (2) + Lora2GPRS (16) + carried 204 = 222.
  EXPECT_EQ(CollectChanges(f.ctx),
            (Writes{{"EL transmit channel", "222", "AT+ZDATCHAN=222\r\n"}}));
}

TEST(CollectChanges, AValueWithALineBreakIsLoggedAndNotSent) {
  Loaded f;
  f.pm.userSetText(f.field("ListenPort"), "5002\r\nAT+FACTORY");
  f.pm.userSetText(f.field("RegisterInfo"), "a\nb");
  f.pm.userSetText(f.field("Server's Port"), "6000");
  EXPECT_EQ(CollectChanges(f.ctx), (Writes{{"Server's Port", "6000", "AT+PORT=6000\r\n"}}));
  EXPECT_EQ(f.logs, (std::vector<std::string>{
                        "Line break in value, not sent: \"ListenPort\"\r\n",
                        "Line break in value, not sent: \"RegisterInfo\"\r\n"}));
}

TEST(CollectChanges, MissingControlsAndEmptyListsProduceNothing) {
  Loaded f;
  f.drop("ListenPort");
  f.combo("Debug Level").selectItem(-1);
  f.combo("I/O selection").selectItem(-1);
  f.combo("I/O2 control").selectItem(-1);
  f.registry.setValue("ListenPort", "anything");
  EXPECT_EQ(CollectChanges(f.ctx), Writes{});
}

TEST(QueueWriteIfChanged, ComparesByteForByte) {
  Loaded f;
  Writes out;
  auto sink = [&](const WriteRequest& w) { out.push_back(w); };
  EXPECT_FALSE(QueueWriteIfChanged(f.ctx, "5001", "ListenPort", sink));
  EXPECT_TRUE(QueueWriteIfChanged(f.ctx, "5001 ", "ListenPort", sink));
  EXPECT_FALSE(QueueWriteIfChanged(f.ctx, "x", "no such entry", sink));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].command, "AT+LPORT=5001 \r\n");
}

}  // namespace
}  // namespace params

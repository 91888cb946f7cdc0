#include "link/hid_transport.h"
#include "link/link_test_support.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using Clock = std::chrono::steady_clock;

std::shared_ptr<PlainDevice> Panel() {
    return std::make_shared<PlainDevice>(kPanelVendorId, kPanelProductId);
}

int SendOne(PanelLink& link, uint8_t mark) {
    uint8_t report[kHidReportSize] = {0, mark};
    return SendReport(link, report, kHidReportSize);
}

TEST(Transport, TakesTheFirstPanelAndOpensNothingAfterIt) {
    SimulatedHidBus bus;
    auto other = std::make_shared<PlainDevice>(kPanelVendorId, 0x1234); // same maker
    auto first = Panel();
    auto second = Panel();
    bus.Attach(other);
    bus.Attach(first);
    bus.Attach(second);
    PanelLink link(&bus);

    ASSERT_EQ(SendOne(link, 0x42), 1);
    EXPECT_EQ(other->OpenCount(), 1); // opened, compared, closed
    EXPECT_TRUE(other->written.empty());
    ASSERT_EQ(first->written.size(), 1u);
    EXPECT_EQ(first->written[0][1], 0x42);
    EXPECT_EQ(second->OpenCount(), 0);
    // Open stays open: no second search.
    ASSERT_EQ(SendOne(link, 0x43), 1);
    EXPECT_EQ(first->OpenCount(), 1);
    EXPECT_EQ(other->OpenCount(), 1);
}

TEST(Transport, SkipsDevicesThatCannotBeOpenedOrRead) {
    SimulatedHidBus bus;
    auto held = Panel();
    held->SetOpenable(false);
    auto unreadable = Panel();
    unreadable->SetAttributesReadable(false);
    auto good = Panel();
    bus.Attach(held);
    bus.Attach(unreadable);
    bus.Attach(good);
    PanelLink link(&bus);
    ASSERT_EQ(SendOne(link, 1), 1);
    EXPECT_TRUE(held->written.empty());
    EXPECT_TRUE(unreadable->written.empty());
    EXPECT_EQ(good->written.size(), 1u);
}

TEST(Transport, SearchHonoursIndexAndMatchFlags) {
    SimulatedHidBus bus;
    auto a = std::make_shared<PlainDevice>(0x1111, 0x2222);
    auto b = std::make_shared<PlainDevice>(0x1111, 0x3333);
    auto c = std::make_shared<PlainDevice>(0x1111, 0x2222);
    bus.Attach(a);
    bus.Attach(b);
    bus.Attach(c);
    // Vendor only: index 1 is b; vendor and product: index 1 is c.
    auto found = FindHidDevice(bus, 1, 0x1111, 0x2222, 0, kMatchVendor);
    ASSERT_TRUE(found);
    HidAttributes attributes;
    ASSERT_TRUE(found->GetAttributes(&attributes));
    EXPECT_EQ(attributes.productId, 0x3333);
    found = FindHidDevice(bus, 1, 0x1111, 0x2222, 0, kMatchVendor | kMatchProduct);
    ASSERT_TRUE(found);
    EXPECT_EQ(c->OpenCount(), 1);
    // Version 1 is what the test devices report.
    EXPECT_FALSE(FindHidDevice(bus, 0, 0x1111, 0x2222, 2, kMatchVendor | kMatchVersion));
    EXPECT_TRUE(FindHidDevice(bus, 0, 0x1111, 0x2222, 1, kMatchVendor | kMatchVersion));
    EXPECT_FALSE(FindHidDevice(bus, 3, 0x1111, 0, 0, kMatchVendor));
}

TEST(Transport, UnplugAndReplugWithoutRestarting) {
    SimulatedHidBus bus;
    auto panel = Panel();
    bus.Attach(panel);
    PanelLink link(&bus);
    ASSERT_EQ(SendOne(link, 1), 1);

    panel->Unplug();
    EXPECT_EQ(SendOne(link, 2), -1); // the old handle is dead: the link closes
    EXPECT_FALSE(PanelLinkIsOpen(link));
    EXPECT_EQ(SendOne(link, 3), -1); // nothing found
    EXPECT_EQ(panel->OpenCount(), 1);

    panel->Replug();
    ASSERT_EQ(SendOne(link, 4), 1);
    EXPECT_EQ(panel->OpenCount(), 2);
    ASSERT_EQ(panel->written.size(), 2u);
    EXPECT_EQ(panel->written[1][1], 4);
}

TEST(Transport, WriteTimeOutClosesTheLinkAndTheNextSendSearchesAgain) {
    SimulatedHidBus bus;
    auto panel = Panel();
    bus.Attach(panel);
    PanelLink link(&bus);
    ASSERT_EQ(SendOne(link, 1), 1);
    panel->SetStallWrites(true);
    auto start = Clock::now();
    EXPECT_EQ(SendOne(link, 2), -1);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(kReportTimeoutMs));
    EXPECT_FALSE(PanelLinkIsOpen(link));
    panel->SetStallWrites(false);
    EXPECT_EQ(SendOne(link, 3), 1);
    EXPECT_EQ(panel->OpenCount(), 2);
}

TEST(Transport, ReceiveNeverOpensAndMissesLateReports) {
    SimulatedHidBus bus;
    auto panel = Panel();
    bus.Attach(panel);
    PanelLink link(&bus);
    uint8_t got[kHidReportSize] = {};
    auto start = Clock::now();
    EXPECT_EQ(ReceiveReport(link, got, kHidReportSize), -1);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(panel->OpenCount(), 0);

    ASSERT_EQ(SendOne(link, 1), 1);
    uint8_t late[kHidReportSize] = {0, 0x77};
    panel->PushInput(late, 180);
    EXPECT_EQ(ReceiveReport(link, got, kHidReportSize), -1); // not within 100 ms
    EXPECT_TRUE(PanelLinkIsOpen(link));                      // a read time-out keeps it
    EXPECT_EQ(ReceiveReport(link, got, kHidReportSize), 1);
    EXPECT_EQ(got[1], 0x77);

    // Length 0 without a destination only tells that a report came.
    panel->PushInput(late);
    EXPECT_EQ(ReceiveReport(link, nullptr, 0), 1);
    EXPECT_EQ(ReceiveReport(link, nullptr, 0), -1);
}

TEST(Transport, DiscardThrowsAwayOnlyWhatIsWaiting) {
    SimulatedHidBus bus;
    auto panel = Panel();
    bus.Attach(panel);
    PanelLink link(&bus);
    EXPECT_EQ(DiscardWaitingInput(link), 0); // not open: nothing to do, nothing opened
    EXPECT_EQ(panel->OpenCount(), 0);
    ASSERT_EQ(SendOne(link, 1), 1);
    uint8_t report[kHidReportSize] = {};
    panel->PushInput(report);
    panel->PushInput(report);
    panel->PushInput(report, 300); // still on its way
    EXPECT_EQ(DiscardWaitingInput(link), 2);
    EXPECT_EQ(panel->PendingInput(), 1);
}

} // namespace

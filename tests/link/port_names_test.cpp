// Which device "COMn" stands for where the system does not name its ports that way.
#include "link/port_names.h"

#include <gtest/gtest.h>

using namespace orvo;

TEST(PortNames, OnlyUpperCaseComWithANumberFromOneIsAComName)
{
    EXPECT_EQ(comPortNumber("COM1"), 1);
    EXPECT_EQ(comPortNumber("COM4"), 4);
    EXPECT_EQ(comPortNumber("COM12"), 12);
    for (const char* other : {"COM", "COM0", "COM01", "com1", "COM1 ", "COMA", "/dev/ttyUSB0", ""})
        EXPECT_EQ(comPortNumber(other), 0) << other;
}

TEST(PortNames, DevicePathsAreUsedAsTheyAre)
{
    EXPECT_EQ(resolvePortPath("/dev/pts/7", "/dev/ttyS9", {{"/dev/ttyUSB0", true}}), "/dev/pts/7");
}

TEST(PortNames, TheEnvironmentOverrideWinsOverTheChoiceAndTheListUnlessEmpty)
{
    const std::vector<ListedPort> listed{{"/dev/ttyUSB0", true}};
    EXPECT_EQ(resolvePortPath("COM1", "/dev/pts/3", listed), "/dev/pts/3");
    EXPECT_EQ(resolvePortPath("COM1", "", listed), "/dev/ttyUSB0");
    EXPECT_EQ(resolvePortPath("COM1", nullptr, listed), "/dev/ttyUSB0");
    // The user's chosen device comes between the two.
    EXPECT_EQ(resolvePortPath("COM1", "/dev/pts/3", "/dev/ttyS4", listed), "/dev/pts/3");
    EXPECT_EQ(resolvePortPath("COM1", "", "/dev/ttyS4", listed), "/dev/ttyS4");
}

TEST(PortNames, ComNIsTheNthListedPortUsbAdaptersFirstThenByPath)
{
    const std::vector<ListedPort> listed{{"/dev/ttyS1", false},
                                         {"/dev/ttyUSB1", true},
                                         {"/dev/ttyS0", false},
                                         {"/dev/ttyACM0", true}};
    EXPECT_EQ(resolvePortPath("COM1", nullptr, listed), "/dev/ttyACM0");
    EXPECT_EQ(resolvePortPath("COM2", nullptr, listed), "/dev/ttyUSB1");
    EXPECT_EQ(resolvePortPath("COM3", nullptr, listed), "/dev/ttyS0");
    EXPECT_EQ(resolvePortPath("COM4", nullptr, listed), "/dev/ttyS1");
}

TEST(PortNames, FewerListedPortsThanNLeaveNoDevice)
{
    EXPECT_EQ(resolvePortPath("COM3", nullptr, {{"/dev/ttyS0", false}, {"/dev/ttyS1", false}}), "");
    EXPECT_EQ(resolvePortPath("COM1", nullptr, {}), "");
}

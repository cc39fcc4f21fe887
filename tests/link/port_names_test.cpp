// Which device "COMn" stands for where the system does not name its ports that way.
#include "core/link/port_names.h"

#include <gtest/gtest.h>

using namespace orvo;

TEST(PortNames, ComNIsTheNthListedPortUsbAdaptersFirstUnlessItsVariableNamesOne)
{
    EXPECT_EQ(comPortNumber("COM12"), 12);
    for (const char* other : {"COM", "COM0", "COM01", "com1", "COM1 ", "COMA", "/dev/ttyUSB0", ""})
        EXPECT_EQ(comPortNumber(other), 0) << other;

    const std::vector<ListedPort> listed{{"/dev/ttyS1", false},
                                         {"/dev/ttyUSB1", true},
                                         {"/dev/ttyS0", false},
                                         {"/dev/ttyACM0", true}};
    const struct
    {
        const char* name;
        const char* variable;
        const char* device;
        const char* chosen = ""; // the user's choice for the name, between variable and list
    } cases[] = {
        {"COM1", nullptr, "/dev/ttyACM0"},
        {"COM2", nullptr, "/dev/ttyUSB1"},
        {"COM3", nullptr, "/dev/ttyS0"},
        {"COM4", nullptr, "/dev/ttyS1"},
        {"COM5", nullptr, ""},
        {"COM1", "/dev/pts/3", "/dev/pts/3"},
        {"COM1", "", "/dev/ttyACM0"},
        {"/dev/pts/7", "/dev/ttyS9", "/dev/pts/7"},
        {"COM1", "/dev/pts/3", "/dev/pts/3", "/dev/ttyS4"},
        {"COM1", "", "/dev/ttyS4", "/dev/ttyS4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolvePortPath(c.name, c.variable, c.chosen, listed), c.device) << c.name;
}

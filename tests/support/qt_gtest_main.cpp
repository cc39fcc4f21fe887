// The serial line's notifiers and the simulator's process need a Qt application object; the
// tests run inside it, ahead of other work where the system allows it (root): the protocols'
// byte timing (a clone host's 'M' within 5 ms of the request) then holds on a busy machine.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <sys/resource.h>

int main(int argc, char** argv)
{
    setpriority(PRIO_PROCESS, 0, -10);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

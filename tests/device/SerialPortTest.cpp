// The real serial port and the event-loop wait, on a pseudo-terminal whose
// far end plays the device.

#include "device/DeviceLink.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/OpenFailure.h"
#include "device/qt/SerialTransport.h"
#include "tests/device/FakeLine.h"
#include "tests/device/TestDevice.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <pty.h>
#include <thread>
#include <unistd.h>

namespace rq7::device::test {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "rq7_device_qt_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// A pseudo-terminal: the link opens the slave by its path, the test holds
// the master.
class Pty {
public:
    Pty() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            path_ = name;
    }
    ~Pty() {
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const std::string& path() const { return path_; }
    int master() const { return master_; }

    void send(const Bytes& bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // What the link wrote, waiting up to a second for `count` bytes.
    Bytes receive(std::size_t count) const {
        Bytes got;
        while (got.size() < count) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Answers requests on the master side from a thread, at once.
class PtyDevice {
public:
    PtyDevice(const Pty& pty, TestDevice& device) : pty_(pty), device_(device) {
        thread_ = std::thread([this] { serve(); });
    }
    ~PtyDevice() {
        stop_ = true;
        thread_.join();
    }
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

private:
    void serve() {
        Bytes pending;
        while (!stop_) {
            pollfd p{pty_.master(), POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i) {
                pending.push_back(buffer[i]);
                if (buffer[i] != 13)
                    continue;
                for (const Arrival& reply : device_(pending, Millis{0}))
                    if (::write(pty_.master(), reply.bytes.data(), reply.bytes.size()) < 0)
                        return;
                pending.clear();
            }
        }
    }

    const Pty& pty_;
    TestDevice& device_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class SerialPort : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_FALSE(pty.path().empty()) << "no pseudo-terminal";
        waiter.setCancelProbe([this] { return cancel; });
    }

    Pty pty;
    SerialTransport port;
    EventLoopWaiter waiter;
    bool cancel = false;
};

TEST_F(SerialPort, ExchangesBytesWithAPseudoTerminal) {
    std::string reason;
    ASSERT_TRUE(port.open(pty.path(), reason)) << reason;
    EXPECT_TRUE(port.isOpen());

    ASSERT_TRUE(port.write({0x01, 0x02, 0x0D}));
    EXPECT_EQ(pty.receive(3), (Bytes{0x01, 0x02, 0x0D}));

    pty.send({0x81, 0x82, 0x0D});
    Bytes got;
    while (got.size() < 3 &&
           waiter.waitUntil(port, waiter.now() + Millis{2000}) == Waiter::Wake::Data) {
        const Bytes part = port.readAvailable();
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, (Bytes{0x81, 0x82, 0x0D}));

    pty.send({0x55, 0x66});
    ASSERT_EQ(waiter.waitUntil(port, waiter.now() + Millis{2000}), Waiter::Wake::Data);
    port.discardInput();
    EXPECT_TRUE(port.readAvailable().empty()) << "discarded bytes are gone";

    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.write({0x01}));
}

TEST_F(SerialPort, OpenFailureGivesTheReason) {
    std::string reason;
    EXPECT_FALSE(port.open("/dev/rq7-no-such-port", reason));
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(reason.find("/dev/rq7-no-such-port"), std::string::npos) << reason;
    EXPECT_GT(reason.size(), std::string("/dev/rq7-no-such-port: ").size()) << reason;
}

TEST_F(SerialPort, PermissionHintNamesTheOwningGroup) {
    const std::string hint = PermissionHint(pty.path());
    EXPECT_NE(hint.find(pty.path()), std::string::npos) << hint;
    EXPECT_NE(hint.find("group '"), std::string::npos) << hint;
    const std::string reason =
        DescribeOpenFailure(QSerialPort::PermissionError, "Permission denied", "/dev/ttyS0");
    EXPECT_NE(reason.find("Permission denied"), std::string::npos) << reason;
    EXPECT_NE(reason.find("member of the group"), std::string::npos) << reason;
    EXPECT_EQ(DescribeOpenFailure(QSerialPort::DeviceNotFoundError, "No such file", "/dev/ttyS9")
                  .find("member"),
              std::string::npos);
}

TEST_F(SerialPort, WaitEndsByDeadlineOrCancel) {
    std::string reason;
    ASSERT_TRUE(port.open(pty.path(), reason)) << reason;
    EXPECT_EQ(waiter.waitUntil(port, waiter.now() + Millis{30}), Waiter::Wake::Deadline);

    // Storno pressed while the wait sleeps.
    QTimer::singleShot(20, &waiter, [this] {
        cancel = true;
        waiter.wake();
    });
    EXPECT_EQ(waiter.waitUntil(port, waiter.now() + Millis{10000}), Waiter::Wake::Cancel);
    EXPECT_EQ(waiter.waitIgnoringCancel(port, waiter.now() + Millis{30}), Waiter::Wake::Deadline);
}

TEST_F(SerialPort, FrameWaitSleepsThroughBytesBeforeTheTerminator) {
    std::string reason;
    ASSERT_TRUE(port.open(pty.path(), reason)) << reason;
    const Bytes reply = {0x84, '1', '2', '3', '4', '5', '6', 0x0D};

    // Part of a reply: the frame wait runs to its deadline and leaves the
    // bytes waiting.
    pty.send(Bytes(reply.begin(), reply.begin() + 3));
    EXPECT_EQ(waiter.waitForTerminator(port, 0x0D, waiter.now() + Millis{50}, CancelMode::Ignored),
              Waiter::Wake::Deadline);
    EXPECT_TRUE(port.hasInput());

    // The rest a byte at a time: one wake, with the whole reply waiting.
    std::thread feeder([this, &reply] {
        for (auto it = reply.begin() + 3; it != reply.end(); ++it) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            pty.send({*it});
        }
    });
    const Waiter::Wake wake =
        waiter.waitForTerminator(port, 0x0D, waiter.now() + Millis{2000}, CancelMode::Ignored);
    feeder.join();
    EXPECT_EQ(wake, Waiter::Wake::Data);
    EXPECT_EQ(port.readAvailable(), reply);

    // Storno ends a frame wait that honours it, not one that ignores it.
    QTimer::singleShot(10, &waiter, [this] {
        cancel = true;
        waiter.wake();
    });
    EXPECT_EQ(
        waiter.waitForTerminator(port, 0x0D, waiter.now() + Millis{10000}, CancelMode::Honoured),
        Waiter::Wake::Cancel);
    EXPECT_EQ(waiter.waitForTerminator(port, 0x0D, waiter.now() + Millis{30}, CancelMode::Ignored),
              Waiter::Wake::Deadline);
}

TEST_F(SerialPort, AWaitNestedInAnotherEndsOnItsOwn) {
    // A handler run by the outer wait's event loop waits for a reply itself,
    // as a click during a transfer could; both waits end as they should.
    std::string reason;
    ASSERT_TRUE(port.open(pty.path(), reason)) << reason;
    Waiter::Wake inner = Waiter::Wake::Deadline;
    Bytes innerBytes;
    QTimer::singleShot(10, &waiter, [&] {
        pty.send({0x81, 0x82, 0x0D});
        inner =
            waiter.waitForTerminator(port, 0x0D, waiter.now() + Millis{2000}, CancelMode::Ignored);
        innerBytes = port.readAvailable();
        pty.send({0x55});
    });
    const Waiter::Wake outer = waiter.waitIgnoringCancel(port, waiter.now() + Millis{2000});
    EXPECT_EQ(inner, Waiter::Wake::Data);
    EXPECT_EQ(innerBytes, (Bytes{0x81, 0x82, 0x0D}));
    EXPECT_EQ(outer, Waiter::Wake::Data);
    EXPECT_EQ(port.readAvailable(), Bytes{0x55});

    // Later waits reuse what the first one set up.
    pty.send({0x86, 0x87, 0x0D});
    EXPECT_EQ(
        waiter.waitForTerminator(port, 0x0D, waiter.now() + Millis{2000}, CancelMode::Ignored),
        Waiter::Wake::Data);
    EXPECT_EQ(port.readAvailable(), (Bytes{0x86, 0x87, 0x0D}));
}

TEST_F(SerialPort, AWaiterOutlivesTheTransportItWaitedOn) {
    // Each new transport's input wakes the waits, also when the one waited
    // on before is gone (and a new one may sit where it was).
    for (int round = 0; round < 3; ++round) {
        auto transport = std::make_unique<SerialTransport>();
        std::string reason;
        ASSERT_TRUE(transport->open(pty.path(), reason)) << reason;
        pty.send({0x81, 0x82, 0x0D});
        EXPECT_EQ(waiter.waitForTerminator(*transport, 0x0D, waiter.now() + Millis{2000},
                                           CancelMode::Ignored),
                  Waiter::Wake::Data)
            << "case: round " << round;
        EXPECT_EQ(transport->readAvailable(), (Bytes{0x81, 0x82, 0x0D})) << "case: round " << round;
    }
}

TEST_F(SerialPort, WaitNeedsATransportThatSignalsInput) {
    Millis clock{0};
    FakeLine line(clock);
    EXPECT_THROW(waiter.waitUntil(line, waiter.now() + Millis{10}), std::logic_error);
}

TEST_F(SerialPort, DeviceLinkRunsOverThePort) {
    TestDevice device;
    device.memoryCode = 0; // 128 bytes
    device.FillPattern();
    PtyDevice far(pty, device);
    RecordingStatus status;
    ScriptedPrompter prompter;
    waiter.setCancelProbe([&status] { return status.cancelRequested(); });
    Texts texts;
    DeviceLink link(port, waiter, prompter, status, texts);

    const ActivationResult activated = link.Activate(pty.path());
    ASSERT_EQ(activated.state, ConnectionState::Aktivni);
    EXPECT_EQ(activated.info.lblInfoPamSize, "   128 byte");

    std::vector<std::uint8_t> image(65536, 0);
    ASSERT_TRUE(link.ReadEeprom(image.data(), image.size(), 128).ok());
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 128, device.eeprom.begin()));

    for (std::size_t i = 0; i < 40; ++i)
        image[i] = static_cast<std::uint8_t>(i + 100);
    ASSERT_TRUE(link.WriteEeprom(image.data(), image.size(), 40, true).ok());
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 40, device.eeprom.begin()));

    EXPECT_EQ(link.Deactivate().outcome, DeactivationOutcome::Confirmed);
    EXPECT_FALSE(port.isOpen());
}

} // namespace
} // namespace rq7::device::test

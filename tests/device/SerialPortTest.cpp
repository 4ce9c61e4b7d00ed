// The real serial port and the event-loop wait, on a pseudo-terminal whose
// far end plays the device.

#include "device/DeviceLink.h"
#include "device/PortDiagnosis.h"
#include "device/qt/EventLoopWaiter.h"
#include "device/qt/SerialTransport.h"
#include "tests/device/FakeLine.h"
#include "tests/device/TestDevice.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    int slave() const { return slave_; }
    // The far end hangs up, as when a USB adapter is pulled.
    void closeMaster() {
        ::close(master_);
        master_ = -1;
    }

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
public:
    // Hangs up after answering this many requests.
    std::atomic<int> hangUpAfter{-1};

private:
    void serve() {
        Bytes pending;
        int answered = 0;
        while (!stop_) {
            if (hangUpAfter >= 0 && answered >= hangUpAfter) {
                const_cast<Pty&>(pty_).closeMaster();
                return;
            }
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
                ++answered;
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

    // A device link over the port with a status whose Storno the waiter sees.
    DeviceLink linkOverPort() {
        waiter.setCancelProbe([this] { return status.cancelRequested(); });
        return DeviceLink(port, waiter, prompter, status, texts);
    }

    Pty pty;
    SerialTransport port;
    EventLoopWaiter waiter{port};
    bool cancel = false;
    RecordingStatus status;
    ScriptedPrompter prompter;
    Texts texts;
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

TEST_F(SerialPort, OpenFailureSaysWhyInTheUsersLanguage) {
    std::string reason;
    EXPECT_FALSE(port.open("/dev/rq7-no-such-port", reason));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(reason.substr(0, reason.find('\n')),
              FillIn(texts.get("msg071"), {"/dev/rq7-no-such-port"}));
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

TEST_F(SerialPort, DeviceLinkRunsOverThePort) {
    TestDevice device;
    device.memoryCode = 0; // 128 bytes
    device.FillPattern();
    PtyDevice far(pty, device);
    DeviceLink link = linkOverPort();

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

TEST_F(SerialPort, APortThatGoesAwayMidReadEndsTheReadAtOnce) {
    TestDevice device;
    device.memoryCode = 3; // 1024 bytes
    device.FillPattern();
    PtyDevice far(pty, device);
    DeviceLink link = linkOverPort();
    ASSERT_EQ(link.Activate(pty.path()).state, ConnectionState::Aktivni);

    // The activation's requests, some blocks, then the hang-up.
    far.hangUpAfter = 13;
    std::vector<std::uint8_t> image(65536, 0);
    const auto start = std::chrono::steady_clock::now();
    const TransferResult read = link.ReadEeprom(image.data(), image.size(), 1024);
    const auto took = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(read.outcome, TransferOutcome::ConnectionLost);
    EXPECT_GT(read.blocks, 0);
    EXPECT_LT(read.blocks, 128) << "stopped in the middle";
    EXPECT_TRUE(link.connectionLost());
    EXPECT_EQ(link.state(), ConnectionState::Neaktivni);
    EXPECT_FALSE(port.isOpen());
    // Running out the block's twelve attempts would take 7.8 s.
    EXPECT_LT(took, std::chrono::seconds(1));
    // Neaktivni without a deactivation: nothing more is asked or sent.
    EXPECT_FALSE(port.write({0x06}));
    EXPECT_EQ(link.Deactivate().outcome, DeactivationOutcome::NotActive);
}

// Runs `body` in a child process and returns what it wrote to the pipe
// (the child may drop privileges without touching the test's own).
std::string InChild(const std::function<std::string()>& body) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const std::string answer = body();
        if (::write(pipeFds[1], answer.data(), answer.size()) < 0)
            ::_exit(2);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    return answer;
}

// A process that runs until killed; optionally holding a path open, and
// without an inherited descriptor.
class Holder {
public:
    explicit Holder(const std::string& open = {}, int closed = -1) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            if (closed >= 0)
                ::close(closed);
            if (!open.empty() && ::open(open.c_str(), O_RDWR | O_NOCTTY) < 0)
                ::_exit(1);
            if (::write(ready[1], "x", 1) < 0)
                ::_exit(1);
            for (;;)
                ::pause();
        }
        char byte;
        if (::read(ready[0], &byte, 1) != 1)
            stop();
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~Holder() { stop(); }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    long pid() const { return pid_; }
    // Ends the process; its id then names no running process.
    void stop() {
        if (pid_ <= 0 || ended_)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ended_ = true;
    }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

class PortDiagnosis : public SerialPort {
protected:
    void SetUp() override {
        SerialPort::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("rq7-diagnosis-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "lock");
        std::filesystem::create_directories(dir / "dev");
        paths.lockDirs = {(dir / "lock").string()};
        paths.devDir = (dir / "dev").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void writeLock(long pid) const { std::ofstream(lockFile()) << "      " << pid << "\n"; }
    std::string lockFile() const {
        return (dir / "lock" / ("LCK.." + std::filesystem::path(pty.path()).filename().string()))
            .string();
    }

    std::filesystem::path dir;
    SystemPaths paths;
    Texts texts;
};

TEST_F(PortDiagnosis, TellsMissingHeldAndStaleLockedPortsApart) {
    std::ofstream((dir / "dev" / "ttyUSB0").string()).put('x');
    const OpenFailure missing = DiagnoseOpenFailure("/dev/rq7-gone", "No such file", paths);
    EXPECT_EQ(DiagnosisKey(missing), "msg071");
    EXPECT_EQ(missing.usbPorts, std::vector<std::string>{(dir / "dev" / "ttyUSB0").string()});
    EXPECT_NE(DescribeOpenFailure(missing, texts)
                  .find(FillIn(texts.get("msg072"), {missing.usbPorts[0]})),
              std::string::npos);

    {
        Holder other;
        writeLock(other.pid());
        const OpenFailure locked = DiagnoseOpenFailure(pty.path(), "", paths);
        EXPECT_EQ(DiagnosisKey(locked), "msg074") << "case: lock file of a running program";
        EXPECT_EQ(locked.pid, other.pid());
        EXPECT_FALSE(locked.program.empty());

        other.stop();
        const OpenFailure stale = DiagnoseOpenFailure(pty.path(), "", paths);
        EXPECT_EQ(DiagnosisKey(stale), "msg079") << "case: lock file of an ended program";
        EXPECT_EQ(stale.lockFile, lockFile());
        EXPECT_NE(DescribeOpenFailure(stale, texts).find("sudo rm " + lockFile()),
                  std::string::npos);
        std::filesystem::remove(lockFile());
    }

    Holder opener(pty.path());
    const OpenFailure held = DiagnoseOpenFailure(pty.path(), "", paths);
    EXPECT_EQ(DiagnosisKey(held), "msg074") << "case: no lock file, the port open elsewhere";
    EXPECT_EQ(held.pid, opener.pid());
}

// Lock entries are looked at, never followed, blocked on or trusted: what
// is no lock file keeps the port closed, what names no holder is stale.
TEST_F(PortDiagnosis, LockEntriesThatAreNoLockFilesOrNameNoHolder) {
    std::filesystem::create_directories(dir / "proc" / "7");
    std::ofstream((dir / "proc" / "7" / "stat").string())
        << "7 (kworker/0:1) I 2 0 0 0 -1 69238880";
    const std::int32_t init = 1;
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string key;
        bool refusedBeforeOpening;
    };
    const Case cases[] = {
        {"a folder", [](const std::string& f) { std::filesystem::create_directory(f); }, "msg086",
         true},
        {"a FIFO", [](const std::string& f) { ::mkfifo(f.c_str(), 0644); }, "msg086", true},
        {"a dangling link",
         [](const std::string& f) { std::filesystem::create_symlink("/nonexistent/rq7", f); },
         "msg085", true},
        {"a kernel thread", [](const std::string& f) { std::ofstream(f) << "7\n"; }, "msg085",
         false},
        {"init in binary",
         [&](const std::string& f) {
             std::ofstream(f).write(reinterpret_cast<const char*>(&init), 4);
         },
         "msg085", false},
        {"no number", [](const std::string& f) { std::ofstream(f) << "garbage"; }, "msg085", false},
    };
    paths.procDir = (dir / "proc").string();
    for (const Case& c : cases) {
        c.make(lockFile());
        const std::optional<OpenFailure> before = LockEntryProblem(pty.path(), paths);
        EXPECT_EQ(before.has_value(), c.refusedBeforeOpening) << "case: " << c.name;
        if (before) {
            EXPECT_EQ(DiagnosisKey(*before), c.key) << "case: " << c.name;
        }
        const OpenFailure failure = DiagnoseOpenFailure(pty.path(), "", paths);
        EXPECT_EQ(DiagnosisKey(failure), c.key) << "case: " << c.name;
        EXPECT_EQ(failure.lockFile, lockFile()) << "case: " << c.name;
        EXPECT_NE(DescribeOpenFailure(failure, texts).find(lockFile()), std::string::npos)
            << "case: " << c.name << ": the command that removes it";
        std::filesystem::remove_all(lockFile());
    }
}

// The other end of a pseudo-terminal counts as a holder too: with a second
// program on the port, both are named.
TEST_F(PortDiagnosis, NamesEveryHolder) {
    Holder otherEnd({}, pty.slave());
    Holder opener(pty.path(), pty.master());
    const OpenFailure held = DiagnoseOpenFailure(pty.path(), "", paths);
    EXPECT_EQ(DiagnosisKey(held), "msg087");
    std::vector<long> pids;
    for (const PortHolder& holder : held.holders)
        pids.push_back(holder.pid);
    EXPECT_EQ(pids, (std::vector<long>{std::min(otherEnd.pid(), opener.pid()),
                                       std::max(otherEnd.pid(), opener.pid())}));
}

TEST_F(PortDiagnosis, NamesTheGroupThatMayOpenThePort) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the check as another user";
    const group* dialout = ::getgrnam("dialout");
    if (!dialout)
        GTEST_SKIP() << "no group dialout on this system";
    const gid_t gid = dialout->gr_gid;
    struct stat before {};
    ASSERT_EQ(::stat(pty.path().c_str(), &before), 0);
    struct Case {
        const char* name;
        mode_t mode;
        std::string key;
        std::string group;
    };
    const Case cases[] = {
        {"the group may read and write", 0660, "msg076", "dialout"},
        {"no group may", 0600, "msg078", ""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(::chown(pty.path().c_str(), 0, gid), 0);
        ASSERT_EQ(::chmod(pty.path().c_str(), c.mode), 0);
        const std::string answer = InChild([&] {
            // nobody, in no extra group
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                return std::string("cannot drop privileges");
            const OpenFailure failure = DiagnoseOpenFailure(pty.path(), "", paths);
            return DiagnosisKey(failure) + " " + failure.group;
        });
        EXPECT_EQ(answer, c.key + " " + c.group) << "case: " << c.name;
    }
    ::chown(pty.path().c_str(), before.st_uid, before.st_gid);
    ::chmod(pty.path().c_str(), before.st_mode & 07777);
}

} // namespace
} // namespace rq7::device::test

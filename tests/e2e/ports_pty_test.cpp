// Exclusive ports, the probe and the doctor on pseudo-terminals, with
// kavir-radio-sim as the radio.
#include <errno.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "link/native/native_transport.h"
#include "link/port_doctor.h"
#include "run_program.h"

namespace kavir::test {
namespace {

// A pseudo-terminal nobody answers on.
struct SilentPty {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  std::string device;
  SilentPty() {
    if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) device = ptsname(master);
  }
  ~SilentPty() { close(master); }
};

struct PortFolder : ShippedDir {
  TempDir scratch;
  CliResult Cli(std::vector<std::string> args) const {
    args.insert(args.begin(), {"60", KAVIR_CLI, "--dir", path()});
    return RunProgram("timeout", args, scratch.path());
  }
};

const std::string kProgram = std::string(program_invocation_short_name).substr(0, 15);

TEST(PortsOnPty, ASecondOpenIsRefusedNamingTheHolder) {
  PortFolder f;
  SimProcess sim({"--profile", f.files.ModelFile("KV16V"), "--dir", f.path()});
  ASSERT_FALSE(sim.device().empty());
  NativeSerialTransport first, second;
  std::string error;
  ASSERT_TRUE(first.Open(0, sim.device(), &error)) << error;
  EXPECT_FALSE(second.Open(0, sim.device(), &error));
  EXPECT_EQ(error.rfind("串口 " + sim.device() + " 正被其他程序使用", 0), 0u) << error;
  // Another program is told which one holds it.
  const CliResult read = f.Cli({"read", "--port", sim.device(), "--out", f.dir.File("a.dat")});
  EXPECT_EQ(read.exit_code, 1);
  EXPECT_NE(read.err.find("串口 " + sim.device() + " 正被其他程序使用: " + kProgram + " (进程 " +
                          std::to_string(getpid()) + ")"),
            std::string::npos)
      << read.err;
  first.Close();
  EXPECT_TRUE(second.Open(0, sim.device(), &error)) << error;
}

TEST(PortsOnPty, TheProbeFindsOnlyTheLineARadioAnswersOn) {
  PortFolder f;
  SimProcess sim({"--profile", f.files.ModelFile("KV16V"), "--dir", f.path(), "--model", "2"});
  SilentPty silent;
  ASSERT_FALSE(sim.device().empty());
  ASSERT_FALSE(silent.device.empty());
  std::vector<PortRecord> ports(3);
  ports[0].device = silent.device;
  ports[1].device = sim.device();
  ports[2].device = "/dev/ttyUSB7";
  ports[2].problem = "in use";  // never touched
  NativeSerialTransport transport;
  SteadyClock clock;
  const std::vector<ProbeResult> found = ProbePorts(transport, clock, ports, 80);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_TRUE(found[0].opened);
  EXPECT_FALSE(found[0].model);
  EXPECT_EQ(found[1].model, 2);
  EXPECT_FALSE(transport.IsOpen());
}

TEST(PortsOnPty, TheDoctorsVerdicts) {
  PortFolder f;
  SimProcess sim({"--profile", f.files.ModelFile("KV16V"), "--dir", f.path()});
  SilentPty silent;
  ASSERT_FALSE(sim.device().empty());
  ASSERT_FALSE(silent.device.empty());
  const struct {
    std::string port;
    int exit_code;
    std::vector<std::string> lines;
  } cases[] = {
      {sim.device(),
       0,
       {"OK   串口存在: " + sim.device(), "OK   占用: 没有其他程序打开它",
        "INFO 线路设置: 9600 波特, 8N1, 无流控, DTR 高, RTS 低", "OK   电台应答: 读握手得到应答: 型号 KV16V (1)",
        "SKIP 回环", "结论: 电台在 " + sim.device() + " 应答，型号 KV16V。"}},
      {silent.device, 1, {"FAIL 电台应答: 读握手发出 2 次", "结论: " + silent.device + " 上没有电台应答"}},
      {"/dev/ttyKAVIR9", 1, {"FAIL 串口存在: 串口 /dev/ttyKAVIR9 不存在", "SKIP 电台应答"}},
  };
  for (const auto& c : cases) {
    const CliResult r = f.Cli({"doctor", "--port", c.port});
    EXPECT_EQ(r.exit_code, c.exit_code) << r.out;
    for (const std::string& line : c.lines) EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  // The line held by this process.
  NativeSerialTransport holder;
  std::string error;
  ASSERT_TRUE(holder.Open(0, sim.device(), &error)) << error;
  const CliResult held = f.Cli({"doctor", "--port", sim.device(), "--loopback"});
  EXPECT_EQ(held.exit_code, 1);
  EXPECT_NE(held.out.find("FAIL 占用: 串口 " + sim.device() + " 正被其他程序使用: " + kProgram), std::string::npos)
      << held.out;
  EXPECT_NE(held.out.find("SKIP 回环"), std::string::npos) << held.out;
}

TEST(PortsOnPty, TheDoctorTellsAUserOutsideTheGroupHowToJoinIt) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to hand the line to the dialout group and become nobody";
  SilentPty silent;
  const group* dialout = getgrnam("dialout");
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(dialout, nullptr);
  ASSERT_NE(nobody, nullptr);
  ASSERT_FALSE(silent.device.empty());
  ASSERT_EQ(chown(silent.device.c_str(), 0, dialout->gr_gid), 0);
  ASSERT_EQ(chmod(silent.device.c_str(), 0660), 0);
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(3);
    NativeSerialTransport transport;
    SteadyClock clock;
    DoctorOptions o;
    o.device = silent.device;
    const std::string text = RunDoctor(*MakeSystemView(), transport, clock, o).Text();
    (void)!write(out[1], text.data(), text.size());
    _exit(0);
  }
  close(out[1]);
  std::string text;
  char buf[4096];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_NE(text.find("FAIL 权限: 没有权限读写串口 " + silent.device +
                      " (它属于 dialout 组)。请运行: sudo usermod -aG dialout nobody ，然后注销并重新登录"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("SKIP 电台应答"), std::string::npos) << text;
}

}  // namespace
}  // namespace kavir::test

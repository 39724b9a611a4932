#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "platform/system/AtomicFile.h"
#include "platform/system/Profile.h"
#include "tests/support/Artifacts.h"

namespace {

using namespace std::string_literals;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Spit(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string Read(const std::string& file, const char* section, const char* key, const char* def = "") {
  char buf[4096];
  win::GetPrivateProfileString(section, key, def, buf, sizeof buf, file.c_str());
  return buf;
}

bool Write(const std::string& file, const char* section, const char* key, const char* value) {
  return win::WritePrivateProfileString(section, key, value, file.c_str()) != 0;
}

TEST(Profile, ChineseValuesRoundTripThroughGbkByteForByte) {
  std::string file = testsupport::TempDir("profile-gbk") + "/cfg.ini";
  Spit(file, Slurp(testsupport::SourcePath("tests/platform/system/fixtures/cfg-gbk.ini")));

  EXPECT_EQ(Read(file, "config", "caption"), "传统液晶拼接系统");  // trailing blank dropped
  EXPECT_EQ(Read(file, "CONFIG", "Name"), "大屏幕拼接软件");
  EXPECT_EQ(Read(file, "scene", "scene1"), "场景1");
  EXPECT_EQ(Read(file, "scene", "matrix 1"), "01");
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clRed");

  ASSERT_TRUE(Write(file, "config", "caption", "矩阵混合拼接"));
  ASSERT_TRUE(Write(file, "Scene", "scene2", "会议室 B"));
  ASSERT_TRUE(Write(file, "cellName", "1,2,HDMI", "大厅主屏"));
  // Untouched lines keep their bytes (comment, blank around "=", blank lines); new keys go to the
  // end of their section, new sections to the end of the file; no byte-order mark appears.
  EXPECT_EQ(Slurp(file), Slurp(testsupport::SourcePath("tests/platform/system/fixtures/cfg-gbk-written.ini")));
  EXPECT_EQ(Read(file, "cellname", "1,2,hdmi"), "大厅主屏");
}

TEST(Profile, LookupRulesOfNamesAndValues) {
  std::string file = testsupport::TempDir("profile-rules") + "/cfg.ini";
  Spit(file,
       "top=ignored\n"
       "[ setting ]\n"
       "  com port A  =  3  \n"
       "quoted=\"  padded  \"\n"
       "single='x'\n"
       "half=\"x\n"
       "bare\n"
       "empty=\n"
       "dup=first\n"
       "dup=second\n"
       "[乚x]\n"  // the first character's second GBK byte is ']'
       "k=v\n");
  // The fixture is ASCII apart from the section name; store that one in GBK.
  std::string bytes = Slurp(file);
  bytes.replace(bytes.find("乚"), std::string("乚").size(), "\x81\x5D");
  Spit(file, bytes);

  EXPECT_EQ(Read(file, "SETTING", "COM PORT a"), "3");
  EXPECT_EQ(Read(file, "setting", "quoted"), "  padded  ");
  EXPECT_EQ(Read(file, "setting", "single"), "x");
  EXPECT_EQ(Read(file, "setting", "half"), "\"x");
  EXPECT_EQ(Read(file, "setting", "bare", "def"), "");
  EXPECT_EQ(Read(file, "setting", "empty", "def"), "");  // present but empty: not the default
  EXPECT_EQ(Read(file, "setting", "dup"), "first");
  EXPECT_EQ(Read(file, "setting", "top", "none"), "none");  // lines before any section belong to none
  EXPECT_EQ(Read(file, "setting", "missing", "caption  "), "caption");
  EXPECT_EQ(Read(file, "乚x", "k"), "v");
  EXPECT_EQ(Read(file, "nosection", "k", "d"), "d");

  char list[256];
  win::DWORD n = win::GetPrivateProfileString(nullptr, nullptr, "", list, sizeof list, file.c_str());
  EXPECT_EQ(std::string(list, n), "setting\0乚x\0"s);
  n = win::GetPrivateProfileString("setting", nullptr, "", list, 20, file.c_str());
  EXPECT_EQ(n, 18u);  // cut to fit, with the two NULs
  EXPECT_EQ(std::string(list, 20), "com port A\0quoted\0\0\0"s);
  EXPECT_EQ(win::GetPrivateProfileInt("setting", "com port a", 9, file.c_str()), 3u);
  EXPECT_EQ(win::GetPrivateProfileInt("setting", "nothing", 9, file.c_str()), 9u);
}

// Sets a file's modification time to `seconds` before now, as if written then.
void Age(const std::string& file, int seconds) {
  const timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

TEST(Profile, EveryReadSeesTheFileAsItIsNow) {
  const std::string dir = testsupport::TempDir("profile-now");
  const std::string file = dir + "/cfg.ini";
  // Rewritten in place by another program at once, at the same size: within the file system's
  // time tick nothing but the bytes differ.
  Spit(file, "[stringgrid]\n2,3=clYellow\n");
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clYellow");
  Spit(file, "[stringgrid]\n2,3=clSilver\n");
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clSilver");
  // A file written long ago, then rewritten in place at the same size: its time tells.
  Age(file, 3600);
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clSilver");
  Spit(file, "[stringgrid]\n2,3=clOlive1\n");
  Age(file, 1800);
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clOlive1");
  // Replaced by another file of the same size.
  Spit(dir + "/next.ini", "[stringgrid]\n2,3=clMaroon\n");
  Age(dir + "/next.ini", 1800);
  std::filesystem::rename(dir + "/next.ini", file);
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clMaroon");
  // Written here, twice at once: each write is read back whatever file the next write reuses.
  ASSERT_TRUE(Write(file, "stringgrid", "2,3", "clTeal"));
  EXPECT_EQ(Read(file, "stringgrid", "2,3"), "clTeal");
  ASSERT_TRUE(Write(file, "stringgrid", "2,3", "clNavy"));
  EXPECT_EQ(Read(file, "StringGrid", " 2,3 "), "clNavy");
  // Gone: the default.
  std::filesystem::remove(file);
  EXPECT_EQ(Read(file, "stringgrid", "2,3", "none"), "none");
}

TEST(Profile, MissingFileIsEmptyAndTheFirstWriteCreatesIt) {
  std::string dir = testsupport::TempDir("profile-missing");
  std::string file = dir + "/cfg.ini";
  EXPECT_EQ(Read(file, "config", "row", "3"), "3");
  EXPECT_FALSE(std::filesystem::exists(file));  // reading creates nothing

  ASSERT_TRUE(Write(file, "config", "row", "4"));
  EXPECT_EQ(Slurp(file), "[config]\r\nrow=4\r\n");
  // A value with a line break cannot add keys of its own.
  ASSERT_TRUE(Write(file, "config", "name", "a\r\n[evil]\r\nx=1"));
  EXPECT_EQ(Read(file, "config", "name"), "a  [evil]  x=1");
  EXPECT_EQ(Read(file, "evil", "x", "none"), "none");
  EXPECT_FALSE(Write(file, "config", "a=b", "1"));
  EXPECT_FALSE(Write(file, "con]fig", "a", "1"));

  // Deleting a key and a section; deleting what is not there succeeds and changes nothing.
  ASSERT_TRUE(Write(file, "other", "k", "v"));
  ASSERT_TRUE(Write(file, "config", "name", nullptr));
  ASSERT_TRUE(Write(file, "CONFIG", "nothing", nullptr));
  EXPECT_EQ(Slurp(file), "[config]\r\nrow=4\r\n[other]\r\nk=v\r\n");
  ASSERT_TRUE(Write(file, "Config", nullptr, nullptr));
  EXPECT_EQ(Slurp(file), "[other]\r\nk=v\r\n");

  // A folder that does not exist cannot take the file; the failure is reported by the call.
  EXPECT_FALSE(Write(dir + "/no/such/cfg.ini", "a", "b", "c"));
  EXPECT_EQ(win::GetLastError(), win::ERROR_PATH_NOT_FOUND);
}

// A batch gives the bytes the same writes give key by key, in one rewrite at its end; reads on
// this thread see each write at once.
TEST(Profile, ABatchWritesOnceWhatTheWritesWouldHaveWritten) {
  const std::string dir = testsupport::TempDir("profile-batch");
  const std::string original = Slurp(testsupport::SourcePath("tests/platform/system/fixtures/cfg-gbk.ini"));
  const std::string single = dir + "/single.ini", batched = dir + "/batched.ini";
  Spit(single, original);
  Spit(batched, original);
  struct Step {
    const char *section, *key, *value;
  };
  const Step steps[] = {{"config", "caption", "矩阵混合拼接"}, {"new", "b", "2"},         {"NEW", "a", "1"},
                        {"new", "b", "3"},                     {"scene", "scene1", nullptr}, {"other", "k", "v"},
                        {"Other", nullptr, nullptr},           {"new", "c", " padded "}};
  for (const Step& st : steps) ASSERT_TRUE(Write(single, st.section, st.key, st.value));
  {
    platform::ProfileWriteBatch batch(batched);
    platform::ProfileWriteBatch inner(batched);  // adds nothing of its own
    EXPECT_EQ(Read(batched, "new", "b", "none"), "none");
    for (const Step& st : steps) ASSERT_TRUE(Write(batched, st.section, st.key, st.value));
    EXPECT_FALSE(Write(batched, "new", "x=y", "1"));  // refused at once, as without a batch
    EXPECT_EQ(Slurp(batched), original);
    EXPECT_EQ(Read(batched, "config", "caption"), "矩阵混合拼接");
    EXPECT_EQ(Read(batched, "new", "b"), "3");
    EXPECT_EQ(Read(batched, "new", "c"), "padded");
    EXPECT_EQ(Read(batched, "scene", "scene1", "gone"), "gone");
    EXPECT_EQ(Read(batched, "other", "k", "gone"), "gone");
    // Writes after a read land in what the next read sees, too.
    ASSERT_TRUE(Write(batched, "new", "d", "4"));
    ASSERT_TRUE(Write(single, "new", "d", "4"));
    EXPECT_EQ(Read(batched, "new", "d"), "4");
    EXPECT_EQ(Slurp(batched), original);
  }
  EXPECT_EQ(Slurp(batched), Slurp(single));
  // A batch on a file that does not exist yet creates it at its end.
  const std::string fresh = dir + "/fresh.ini";
  {
    platform::ProfileWriteBatch batch(fresh);
    ASSERT_TRUE(Write(fresh, "a", "x", "1"));
    ASSERT_TRUE(Write(fresh, "a", "y", "2"));
    EXPECT_EQ(Read(fresh, "a", "x"), "1");
    EXPECT_FALSE(std::filesystem::exists(fresh));
  }
  EXPECT_EQ(Slurp(fresh), "[a]\r\nx=1\r\ny=2\r\n");
}

TEST(Profile, AnUnixStyleFileKeepsItsLineBreaks) {
  std::string file = testsupport::TempDir("profile-lf") + "/cfg.ini";
  Spit(file, "[a]\nx=1");
  // Rewriting the last line leaves the file's end as it was; adding after it ends that line.
  ASSERT_TRUE(Write(file, "a", "x", "0"));
  EXPECT_EQ(Slurp(file), "[a]\nx=0");
  ASSERT_TRUE(Write(file, "A", "X", "1"));
  ASSERT_TRUE(Write(file, "a", "y", "2"));
  ASSERT_TRUE(Write(file, "b", "z", "3"));
  EXPECT_EQ(Slurp(file), "[a]\nx=1\ny=2\n[b]\nz=3\n");
}

// A writer killed at any moment leaves the old file or the new one, never a mixture.
int gStopPipe = -1;
platform::AtomicWriteStage gStopAt;

void StopHere(platform::AtomicWriteStage stage) {
  if (stage != gStopAt) return;
  char c = 1;
  (void)!write(gStopPipe, &c, 1);
  pause();  // until the parent kills us
}

TEST(Profile, AWriteKilledMidwayLeavesTheOldOrTheNewFile) {
  std::string dir = testsupport::TempDir("profile-kill");
  std::string file = dir + "/cfg.ini";
  const size_t big = 100'000;
  auto content = [&](char c) { return "[s]\r\nk=" + std::string(big, c) + "\r\n"; };
  ASSERT_TRUE(Write(file, "s", "k", std::string(big, 'a').c_str()));

  // Killed exactly inside the write: with the new text half on disk, and with all of it on disk
  // but not yet in place.
  for (platform::AtomicWriteStage stage : {platform::AtomicWriteStage::HalfWritten, platform::AtomicWriteStage::Written}) {
    int stopped[2];
    ASSERT_EQ(pipe(stopped), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      gStopPipe = stopped[1];
      gStopAt = stage;
      platform::SetAtomicWriteStageHook(StopHere);
      win::WritePrivateProfileString("s", "k", std::string(big, 'z').c_str(), file.c_str());
      _exit(0);
    }
    char c;
    ASSERT_EQ(read(stopped[0], &c, 1), 1);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(stopped[0]);
    close(stopped[1]);
    EXPECT_EQ(Slurp(file), content('a'));
  }

  // Killed at random moments of a run of writes.
  std::mt19937 rng(6);
  int torn = 0;
  for (int round = 0; round < 10; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(ready[0]);
      for (int i = 1;; ++i) {
        std::string v(big, static_cast<char>('a' + (round * 7 + i) % 26));
        win::WritePrivateProfileString("s", "k", v.c_str(), file.c_str());
        if (i == 1) {
          char c = 1;
          (void)!write(ready[1], &c, 1);
        }
      }
    }
    close(ready[1]);
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 50000));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::string now = Slurp(file);
    if (!(now.size() == content('a').size() && now == content(now[7]))) ++torn;
  }
  EXPECT_EQ(torn, 0);

  // The file still reads and writes normally afterwards.
  ASSERT_TRUE(Write(file, "s", "k", "done"));
  EXPECT_EQ(Read(file, "s", "k"), "done");
}

// Two programs writing one file at the same time: every key of both arrives.
TEST(Profile, WritersInSeveralProcessesLoseNoKey) {
  std::string file = testsupport::TempDir("profile-procs") + "/cfg.ini";
  const int perChild = 40;
  std::vector<pid_t> children;
  for (int c = 0; c < 3; ++c) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0; i < perChild; ++i) {
        std::string key = "k" + std::to_string(c) + "_" + std::to_string(i);
        win::WritePrivateProfileString("s", key.c_str(), "v", file.c_str());
      }
      _exit(0);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) waitpid(pid, nullptr, 0);
  char keys[65536];
  win::DWORD n = win::GetPrivateProfileString("s", nullptr, "", keys, sizeof keys, file.c_str());
  int count = 0;
  for (win::DWORD i = 0; i < n; ++i) count += keys[i] == 0;
  EXPECT_EQ(count, 3 * perChild);
}

TEST(AtomicFile, ReplacingKeepsPermissionsAndWritesThroughALink) {
  std::string dir = testsupport::TempDir("atomic");
  std::string target = dir + "/real.ini";
  Spit(target, "old");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
  std::filesystem::create_symlink(target, dir + "/link.ini");
  ASSERT_TRUE(platform::WriteFileAtomically(dir + "/link.ini", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir + "/link.ini"));
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
  // No temporary files are left behind.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir)) files += e.is_regular_file() || e.is_symlink();
  EXPECT_EQ(files, 2);

  // One a killed writer left an hour ago goes with the next write; a fresh one may be another
  // writer's and stays.
  Spit(dir + "/.real.ini.AbC123", "half");
  Spit(dir + "/.real.ini.XyZ789", "busy");
  std::filesystem::last_write_time(dir + "/.real.ini.AbC123",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  ASSERT_TRUE(platform::WriteFileAtomically(target, "newer"));
  EXPECT_FALSE(std::filesystem::exists(dir + "/.real.ini.AbC123"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/.real.ini.XyZ789"));
}

TEST(AtomicFile, CopyReplacesTheDestinationAndTakesNamesLiterally) {
  std::string dir = testsupport::TempDir("copy");
  const std::string source = dir + "/a \"b\"; $(touch x) `touch y`.jpg";
  const std::string destination = dir + "/clogo.jpg";
  Spit(source, std::string("\xFF\xD8picture\0bytes", 16));
  Spit(destination, "old");
  ASSERT_TRUE(platform::CopyFileReplacing(source, destination));
  EXPECT_EQ(Slurp(destination), std::string("\xFF\xD8picture\0bytes", 16));
  EXPECT_FALSE(std::filesystem::exists(dir + "/x"));
  EXPECT_FALSE(std::filesystem::exists("x"));
  EXPECT_FALSE(std::filesystem::exists("y"));

  // An empty name, a missing source and the destination itself leave the file as it is.
  Spit(destination, "kept");
  EXPECT_FALSE(platform::CopyFileReplacing("", destination));
  EXPECT_FALSE(platform::CopyFileReplacing(dir + "/missing.jpg", destination));
  EXPECT_TRUE(platform::CopyFileReplacing(destination, destination));
  std::filesystem::create_symlink(destination, dir + "/link.jpg");
  EXPECT_TRUE(platform::CopyFileReplacing(dir + "/link.jpg", destination));
  EXPECT_EQ(Slurp(destination), "kept");
}

}  // namespace

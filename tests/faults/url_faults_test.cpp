// URL loads against a loopback server that misbehaves: a download cut
// short, a server that never answers, a redirect out of http. Each load
// answers 0 and leaves the grid and the temporary folder as they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "control/korvale_grid_ctrl.h"
#include "faults/fault_child.h"
#include "faults/loopback_http.h"
#include "platform/curl_downloader.h"
#include "platform/temp_folder.h"

namespace maltrove {
namespace {

namespace fs = std::filesystem;
using testing::LoopbackServer;
using testing::SendText;

constexpr std::chrono::seconds kStall{2};

const char kCombined[] =
    "<?xml version=\"1.0\"?>\r\n<hashtable>\r\n<data hashkey=\"style\">\r\n<gridStyle>"
    "<column id=\"name\"/></gridStyle>\r\n</data>\r\n<data hashkey=\"data\">\r\n"
    "<vector><data vectorkey=\"0\"><record><name value=\"served\"/></record></data></vector>\r\n"
    "</data>\r\n</hashtable>\r\n";

std::string Response(const std::string& head, const std::string& body) {
  return head + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class UrlFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("maltrove-urlfaults-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "tmp");
    setenv("TMPDIR", (dir_ / "tmp/").c_str(), 1);
    services_.downloader = &downloader_;
    grid_ = std::make_unique<CKorvaleGridCtrl>(services_);
    ASSERT_EQ(grid_->setGridStyleXML("<gridStyle><column id=\"name\"/><column id=\"x\"/></gridStyle>"), 1);
    ASSERT_EQ(grid_->insertRowXML("<vector><data vectorkey=\"0\"><record><name value=\"before\"/>"
                                  "</record></data></vector>"), 1);
    before_ = State();
  }
  void TearDown() override {
    grid_.reset();
    unsetenv("TMPDIR");
    fs::remove_all(dir_);
  }
  std::string State() { return grid_->getGridStyleXML() + grid_->getAllXML(); }
  // The load failed and left nothing behind.
  void ExpectUntouched() {
    EXPECT_EQ(State(), before_);
    EXPECT_TRUE(testing::FolderEntries(platform::ProcessTempFolder()).empty());
  }

  fs::path dir_;
  platform::CurlDownloader downloader_{kStall};
  platform::Services services_;
  std::unique_ptr<CKorvaleGridCtrl> grid_;
  std::string before_;
};

TEST_F(UrlFaultsTest, AWholeAnswerLoads) {
  LoopbackServer server([](const std::string&, int fd) {
    SendText(fd, Response("HTTP/1.1 200 OK", kCombined));
  });
  EXPECT_EQ(grid_->openXMLURLEx(server.Url("/grid.xml")), 1);
  EXPECT_EQ(grid_->grid().model().getCellStringData(0, 0), "served");
}

TEST_F(UrlFaultsTest, ADownloadCutHalfWayFails) {
  LoopbackServer server([](const std::string&, int fd) {
    const std::string body = kCombined;
    // Promises the whole combined file, sends a well-formed part of it.
    SendText(fd, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size() + 500) +
                     "\r\n\r\n" + body);
  });
  EXPECT_EQ(grid_->openXMLURLEx(server.Url("/grid.xml")), 0);
  ExpectUntouched();
  EXPECT_EQ(grid_->openXMLURL(server.Url("/s.xml"), server.Url("/v.xml")), 0);
  ExpectUntouched();
}

TEST_F(UrlFaultsTest, AServerThatNeverAnswersIsLeftWithinTheStallLimit) {
  std::atomic<bool> done{false};
  LoopbackServer server([&done](const std::string&, int) {
    for (int i = 0; i < 1000 && !done; ++i) usleep(20000);  // accepted, silent
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(grid_->openXMLURLEx(server.Url("/grid.xml")), 0);
  const auto waited = std::chrono::steady_clock::now() - start;
  done = true;
  EXPECT_EQ(server.connections(), 1);
  EXPECT_GE(waited, kStall - std::chrono::milliseconds(200));
  EXPECT_LT(waited, kStall * 4);
  ExpectUntouched();
}

TEST_F(UrlFaultsTest, RedirectsLeaveOnlyForHttp) {
  {
    std::ofstream(dir_ / "local.xml", std::ios::binary) << kCombined;
  }
  LoopbackServer elsewhere([](const std::string&, int) {});  // counts who comes
  const std::string local = "file://" + (dir_ / "local.xml").string();
  const std::string ftp = "ftp://127.0.0.1:" + std::to_string(elsewhere.port()) + "/grid.xml";
  LoopbackServer server([&](const std::string& request, int fd) {
    std::string target = request.find("GET /file") == 0 ? local : ftp;
    if (request.find("GET /good") == 0) target = "/served.xml";
    if (request.find("GET /served") == 0) {
      SendText(fd, Response("HTTP/1.1 200 OK", kCombined));
      return;
    }
    SendText(fd, "HTTP/1.1 302 Found\r\nLocation: " + target + "\r\nContent-Length: 0\r\n\r\n");
  });
  EXPECT_EQ(grid_->openXMLURLEx(server.Url("/file")), 0);
  ExpectUntouched();
  EXPECT_EQ(grid_->openXMLURLEx(server.Url("/ftp")), 0);
  ExpectUntouched();
  EXPECT_EQ(elsewhere.connections(), 0);
  // The file itself is a URL a page may name, and a redirect within http is followed.
  EXPECT_EQ(grid_->openXMLURLEx(local), 1);
  EXPECT_EQ(grid_->openXMLURLEx(server.Url("/good")), 1);
  EXPECT_EQ(grid_->grid().model().getCellStringData(0, 0), "served");
}

}  // namespace
}  // namespace maltrove

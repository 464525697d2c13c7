// Determinism made visible: the digest of what every shipped figure
// computes, right after opening and after a scripted drag, is pinned in
// tests/data/digests.txt. The page's test checks the web build against
// the same file, so the page shows exactly what the program computes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "fake_canvas.h"
#include "model/figure_digest.h"
#include "session/session.h"

namespace sakuzu {
namespace {

namespace fs = std::filesystem;

struct Digests {
  std::string opened, dragged;
};

std::map<std::string, Digests> PinnedDigests() {
  std::map<std::string, Digests> pinned;
  std::ifstream in(SAKUZU_TEST_DATA "/digests.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name;
    Digests d;
    fields >> name >> d.opened >> d.dragged;
    pinned[name] = d;
  }
  return pinned;
}

// The figure opened as the page opens it (a 640 x 480 drawing area, the
// standard settings), then dragged.
Digests DigestsOf(const fs::path& figure) {
  testing::FakeCanvas canvas(640, 480);
  FrontEnd front;
  Session session(canvas, front, (fs::temp_directory_path() / "sakuzu-no-settings").string());
  Digests d;
  if (!session.StartWithFigure(figure.string(), "Japanese").ok) return d;
  d.opened = ResultDigest(session.fig);
  ScriptedDrag(session);
  d.dragged = ResultDigest(session.fig);
  return d;
}

TEST(Digest, EveryShippedFigureOpensAndDragsAsPinned) {
  std::map<std::string, Digests> pinned = PinnedDigests();
  int figures = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(SAKUZU_SAMPLES)) {
    if (entry.path().extension() != ".zk4") continue;
    ++figures;
    std::string name = entry.path().filename().string();
    Digests d = DigestsOf(entry.path());
    SCOPED_TRACE(name + " " + d.opened + " " + d.dragged);
    if (pinned.count(name) == 0) {
      ADD_FAILURE() << "not pinned";
      continue;
    }
    EXPECT_EQ(d.opened, pinned[name].opened);
    EXPECT_EQ(d.dragged, pinned[name].dragged);
  }
  EXPECT_EQ(figures, static_cast<int>(pinned.size()));
}

TEST(Digest, FollowsEveryResultAndIgnoresRoundingNoise) {
  Figure fig;
  AddObject(fig, kPointClass), AddObject(fig, kCircleClass);
  fig.Points[1].x = 1.25, fig.Points[1].y = -3.5, fig.Points[1].exists = kTrue;
  fig.Circles[1].radius = 2;
  std::string base = ResultDigest(fig);
  fig.Points[1].x += 1e-13;  // below the rounding
  EXPECT_EQ(ResultDigest(fig), base);
  fig.Points[1].x += 1e-6;
  EXPECT_NE(ResultDigest(fig), base);
  fig.Points[1].x = 1.25;
  fig.Circles[1].exists = kTrue;
  EXPECT_NE(ResultDigest(fig), base);
  fig.Circles[1].exists = kFalse;
  fig.Circles[1].name = "k";  // names and colours are not results
  fig.Points[1].color = 2;
  EXPECT_EQ(ResultDigest(fig), base);
}

}  // namespace
}  // namespace sakuzu

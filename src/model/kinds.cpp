#include "model/kinds.h"

#include "text/text_util.h"

namespace sakuzu {
namespace {

// Slot classes: point 1, line 2, circle 3, number 100; 200 marks where a
// group command takes over.
const std::vector<KindInfo>& Catalogue() {
  static const std::vector<KindInfo> kinds = {
      {"P1", {1, 1, 1}, {1}, "三角形の外心", {{"mnuPgaishin", "外心"}}, false},  // circumcentre
      {"P2", {1, 1, 1}, {1}, "三角形の内心", {{"mnuPnaishin", "内心"}}, false},  // incentre
      {"P3", {1, 1, 1}, {1}, "三角形の重心", {{"mnuPjushin", "重心"}}, false},   // centroid
      {"P4", {1, 1, 1}, {1}, "三角形の垂心", {{"mnuPsuishin", "垂心"}}, false},  // orthocentre
      {"P5",
       {1, 1, 1},
       {1},
       "三角形の一傍心",
       {{"mnuPboushin", "傍心(1つ)"}},
       false},  // excentre opposite A
      {"P6",
       {1, 1, 1},
       {1},
       "三角形の九点円の中心",
       {{"mnuP9ptcCenter", "九点円の中心"}},
       false},  // nine-point centre
      {"PC1",
       {2, 2},
       {1},
       "交点（２直線）",
       {{"mnuPcrossLL", "2直線の交点"}},
       false},  // intersection of two lines
      {"PC2",
       {2, 3},
       {1, 1},
       "交点（直線と円）",
       {{"mnuPcrossLC", "直線と円"}},
       false},  // intersections of a line and a circle
      {"PC3", {3, 3}, {1, 1}, "交点（２円）", {{"mnuPcrossCC", "2円"}}, false},  // intersections of
                                                                                 // two circles
      {"PN",
       {1, 1, 100, 100},
       {1},
       "内分・外分",
       {{"mnuPnaibun", "内分・外分"}},
       false},  // point dividing AB in the ratio m : n
      {"PEXT",
       {1, 1, 100},
       {1},
       "２点からの延長",
       {{"mnuPextension", "2点からの延長"}},
       false},  // extension beyond B
      {"PNEQ",
       {1, 1, 200},
       {},
       "ｎ等分",
       {{"mnuPtoubun", "n等分"}},
       true},  // division of AB into n equal parts (group of "PN" steps)
      {"PNEW", {}, {1}, "新しい点を取る", {{"mnuPnewFreeP", "自由な新しい点"}}, false},  // new free
                                                                                         // point
      {"PBND",
       {},
       {1},
       "図形上に点を取る",
       {{"mnuPboundL", "直線上に新しい点"}, {"mnuPboundC", "円上に新しい点"}},
       false},  // new point bound to a host object
      {"PXY",
       {100, 100},
       {1},
       "x,y座標から点を作る",
       {{"mnuPxy", "xy座標を与える"}},
       false},  // point from coordinates
      {"PT1", {1, 1, 100}, {1}, "点の回転", {{"mnuProtate", "回転移動"}}, false},  // rotation about
                                                                                   // O (degrees)
      {"PT2", {1, 2}, {1}, "点の線対称移動", {{"mnuPlinesym", "線対称移動"}}, false},  // reflection
                                                                                       // in a line
      {"PT3", {1, 1}, {1}, "点の点対称移動", {{"mnuPPsym", "点対称移動"}}, false},  // reflection in
                                                                                    // a point
      {"PT4",
       {1, 3},
       {1},
       "点の円に関する反転",
       {{"mnuPinversion", "円に関する反転"}},
       false},  // inversion in a circle
      {"PT5", {1, 1, 1, 1, 1}, {1, 100, 100, 100, 100}, "１次変換", {}, false},  // linear
                                                                                 // transformation
      {"PT6",
       {1, 1, 1, 1, 1},
       {1, 100, 100, 100, 100},
       "アフィン変換",
       {},
       false},  // affine transformation
      {"PT7", {1, 1, 1, 1, 1}, {1, 100, 100, 100, 100}, "射影変換", {}, false},  // projective
                                                                                 // transformation
      {"PT62", {}, {100, 100, 100, 100, 100}, "", {}, false},  // continuation row of PT6 / PT7
      {"PT8",
       {1, 2},
       {1},
       "点の平行移動",
       {{"mnuPParallel", "平行移動"}},
       false},  // translation by the line's vector
      {"PT9",
       {2, 3},
       {1},
       "極",
       {{"mnuPLCpolar", "直線の円に関する極"}},
       false},  // pole of a line with respect to a circle
      {"PO+", {1, 1}, {1}, "(複素数としての)和", {{"mnuCMPplus", "＋"}}, false},   // complex sum
      {"PO-", {1, 1}, {1}, "(複素数としての)差", {{"mnuCMPminus", "－"}}, false},  // complex
                                                                                   // difference
      {"PO*", {1, 1}, {1}, "(複素数としての)積", {{"mnuCMPmulti", "×"}}, false},  // complex product
      {"PO/", {1, 1}, {1}, "(複素数としての)商", {{"mnuCMPdiv", "÷"}}, false},  // complex quotient
      {"PO^",
       {1, 100},
       {1},
       "(複素数としての)巾(べき)",
       {{"mnuCMPpower", "  ＾  （べき）"}},
       false},  // complex power
      {"PO-1",
       {1},
       {1},
       "(複素数としての)逆数",
       {{"mnuCMPinv", "逆数(1/Z)"}},
       false},  // complex reciprocal
      {"L1",
       {1, 1},
       {2},
       "２点を結ぶ",
       {{"mnlL2P", "2点を結ぶ"},
        {"mnuH2P", "2点を結ぶ", -1, 2},
        {"mnuS2P", "2点を結ぶ線分", -1, 1}},
       false},  // line through two points (as line, ray or segment)
      {"L2",
       {2, 1},
       {2},
       "平行線",
       {{"mnuLLP1", "直線に平行,1点を通る"}},
       false},  // parallel through a point
      {"L3",
       {2, 1},
       {2, 1},
       "垂線（とその足）",
       {{"mnuLLP2", "直線に垂直,1点を通る"}},
       false},  // perpendicular through a point and its foot
      {"L3+",
       {2, 1, 200},
       {},
       "垂線とその足(マクロ)",
       {{"mnuSPLperpendicular", "垂線の足(1点から直線へ)"}},
       true},  // perpendicular and foot (group of "L3" and "PC1")
      {"L4",
       {2},
       {2},
       "垂直二等分線",
       {{"mnuLperpendicular", "線分の垂直二等分線", 1, -1}},
       false},  // perpendicular bisector of a segment
      {"L5",
       {1, 3},
       {2, 2},
       "円の接線（１点を通る）",
       {{"mnuLPCtangent", "1点を通る,円の接線"}},
       false},  // tangents from a point to a circle
      {"L6",
       {3, 3},
       {2, 2},
       "２円の共通外接線",
       {{"mnuL2Ctangent1", "2円の共通外接線"}},
       false},  // external common tangents
      {"L7",
       {3, 3},
       {2, 2},
       "２円の共通内接線",
       {{"mnuL2Ctangent2", "2円の共通内接線"}},
       false},  // internal common tangents
      {"L8", {1, 3}, {2}, "極線", {{"mnuLPCpole", "点の円に関する極線"}}, false},  // polar of a
                                                                                   // point
      {"LH1",
       {1, 1, 1},
       {2},
       "角の２等分線(3点)",
       {{"mnuHbisector", "角の2等分線", -1, 2}},
       false},  // bisector of angle ABC
      {"LH2",
       {1, 1, 1, 100, 100},
       {2},
       "角のｎ等分線(3点と n(等分)の中の m 番目[0->すべて]を入力)",
       {},
       false},  // one n-section line of angle ABC
      {"LH2+",
       {1, 1, 1, 200},
       {},
       "角のｎ等分線(マクロ)",
       {{"mnuHNsector", "角のn等分"}},
       true},  // n-section of an angle (group of "LH2" steps)
      {"LRO",
       {2, 1, 100},
       {2},
       "直線の回転移動",
       {{"mnuHrotation2", "回転移動"}},
       false},  // rotation of a line about a point
      {"LHRO",
       {2, 100},
       {2},
       "半直線の回転移動",
       {{"mnuHrotation", "回転(定角を作る)"}},
       false},  // rotation of a ray about its start
      {"LT1",
       {2, 2},
       {2},
       "直線の線対称移動",
       {{"mnuTLLinesym", "線対称移動"}},
       false},  // reflection of a line in a line
      {"LT2",
       {2, 1},
       {2},
       "直線の点対称移動",
       {{"mnuTransformLPsymmetry", "点対称移動"}},
       false},  // reflection of a line in a point
      {"LT3",
       {2, 2},
       {2},
       "直線の平行移動",
       {{"mnuTransformLParallel", "平行移動"}},
       false},                                                              // translation of a line
      {"LPGN", {1, 200}, {}, "多角形", {{"mnuSpolygon", "多角形"}}, true},  // polygon (group of
                                                                            // "L1" sides)
      {"LRGN",
       {1, 1, 200},
       {},
       "正多角形(一辺とする2点)",
       {{"mnuSRegularPolygon", "正多角形"}},
       true},                            // regular n-gon on side AB (group of "PT1" and "L1")
      {"LPG+", {1}, {}, "", {}, false},  // one vertex of a polygon under construction
      {"C1", {1, 100}, {3}, "円（中心と半径）", {{"mnuCPN", "中心と半径"}}, false},  // centre and
                                                                                     // radius
      {"C2", {1, 1}, {3}, "円（中心と一点）", {{"mnuC2P", "中心と1点"}}, false},     // centre and a
                                                                                     // point
      {"C3",
       {1, 1, 1},
       {3},
       "円（３点）",
       {{"mnuCgaisetsu", "3点(外接円)"}},
       false},                                                                       // circumcircle
      {"C4", {2}, {3}, "円（直径）", {{"mnuCdiameter", "直径", 1, -1}}, false},      // circle on a
                                                                                     // diameter
      {"C5", {1, 1, 1}, {3}, "内接円", {{"mnuCnaisetsu", "内接円"}}, false},         // incircle
      {"C6", {1, 1, 1}, {3}, "一傍接円", {{"mnuCbousetsu", "傍接円(1つ)"}}, false},  // excircle
                                                                                     // opposite A
      {"C7", {1, 1, 1}, {3}, "九点円", {{"mnuC9pt", "九点円"}}, false},  // nine-point circle
      {"CRO",
       {3, 1, 100},
       {3},
       "円の回転移動",
       {{"mnuTransformCrotate", "回転移動"}},
       false},  // rotation of a circle
      {"CT1",
       {3, 2},
       {3},
       "円の線対称移動",
       {{"mnuTransformLLinesymmetry", "線対称移動"}},
       false},  // reflection of a circle in a line
      {"CT2",
       {3, 1},
       {3},
       "円の点対称移動",
       {{"mnuTransformCPsymmetry", "点対称移動"}},
       false},  // reflection of a circle in a point
      {"CT3",
       {3, 2},
       {3},
       "円の平行移動",
       {{"mnuTransformCparallel", "平行移動"}},
       false},  // translation of a circle
      {"ND2P", {1, 1}, {100}, "距離(2点)", {{"mnuMdis2P", "2点"}}, false},  // distance of two
                                                                            // points
      {"NDPL",
       {1, 2},
       {100},
       "距離(点,直線)",
       {{"mnuMdisPL", "点と直線"}},
       false},  // distance point to line
      {"NPL2",
       {1, 2},
       {100},
       "距離(点,直線/+-)",
       {{"mnuMdisPL2", "点と直線(+/-)"}},
       false},  // signed distance point to line
      {"NDPC", {1, 3}, {100}, "距離(点,円)", {{"mnuMdisPC", "点と円"}}, false},  // distance point
                                                                                 // to circle
      {"ND2L", {2, 2}, {100}, "距離(2直線)", {{"mnuMdis2L", "2直線"}}, false},   // distance of two
                                                                                 // parallel lines
      {"NDLC",
       {2, 3},
       {100},
       "距離(直線,円)",
       {{"mnuMdisLC", "直線と円"}},
       false},  // distance line to circle
      {"ND2C", {3, 3}, {100}, "距離(2円)", {{"mnuMdis2C", "2円"}}, false},  // distance of two
                                                                            // circles
      {"NA3P",
       {1, 1, 1},
       {100},
       "角度(3点/0-180)",
       {{"mnuMangle1", "3点(0 - 180)"}},
       false},  // angle 0 to 180
      {"NA3+",
       {1, 1, 1},
       {100},
       "角度(3点/+-180)",
       {{"mnuMangle3", "3点(-180 - 180)"}},
       false},  // signed angle -180 to 180
      {"NA3*",
       {1, 1, 1},
       {100},
       "角度(3点/0-360)",
       {{"mnuMangle2", "3点(0 - 360)"}},
       false},                                    // angle 0 to 360
      {"NA3M", {1, 1, 1}, {100}, "", {}, false},  // angle 0 to 180 (no menu command)
      {"NA2L",
       {2, 2},
       {100},
       "角度(2直線)",
       {{"mnuMangle2L", "2直線 (0 - 90)"}},
       false},  // angle of two lines 0 to 90
      {"NAR3", {1, 1, 1}, {100}, "面積(3角形)", {{"mnuMarea3P1", "3角形"}}, false},  // area of a
                                                                                     // triangle
      {"NAR+",
       {1, 1, 1},
       {100},
       "面積(3角形,+/-)",
       {{"mnuMarea3P2", "3角形(+/-)"}},
       false},  // signed area of a triangle
      {"NAR4",
       {1, 1, 1, 1},
       {100},
       "面積(4角形)",
       {{"mnuMarea4P", "4角形"}},
       false},  // area of a quadrilateral
      {"NPX", {1}, {100}, "x座標", {{"mnuMAxisX", "点の x 座標"}}, false},  // x coordinate
      {"NPX2",
       {1},
       {100},
       "x座標",
       {{"mnuMAxisX2", "点の x 座標(その2)"}},
       false},  // x coordinate (second form)
      {"NPY", {1}, {100}, "y座標", {{"mnuMAxisY", "点の y 座標"}}, false},          // y coordinate
      {"NLC", {3}, {100}, "円周", {{"mnuMlengthCenshu", "円周"}}, false},           // circumference
      {"NRC", {3}, {100}, "円の半径", {{"mnuMlengthCradius", "円の半径"}}, false},  // radius
      {"NSIN", {100}, {100}, "SIN", {{"mnuMFsin", "SIN"}}, false},     // sine (degrees)
      {"NCOS", {100}, {100}, "COS", {{"mnuMFcos", "COS"}}, false},     // cosine (degrees)
      {"NTAN", {100}, {100}, "TAN", {{"mnuMFtan", "TAN"}}, false},     // tangent (degrees)
      {"CALC", {}, {100}, "数式計算", {{"mnuMcalc", "数式"}}, false},  // expression number
  };
  return kinds;
}

}  // namespace

const std::vector<KindInfo>& AllKinds() { return Catalogue(); }

const KindInfo* FindKind(std::string_view kind) {
  std::string code = ToUpperAscii(Trim(kind));
  for (const KindInfo& info : Catalogue()) {
    if (code == info.code) return &info;
  }
  return nullptr;
}

std::string KindDisplayName(std::string_view kind, const TranslateFn& translate) {
  const KindInfo* info = FindKind(kind);
  if (info == nullptr || info->displayName.empty()) return {};
  std::string name(info->displayName);
  return translate ? translate(name) : name;
}

bool IsGroupKind(std::string_view kind) {
  const KindInfo* info = FindKind(kind);
  return info != nullptr && info->group;
}

int KindOutputClass(std::string_view kind) {
  std::string code = Trim(kind);
  if (code == "CALC") return kNumberClass;
  if (code.empty()) return -1;
  switch (code[0]) {
    case 'N':
      return kNumberClass;
    case 'P':
      return kPointClass;
    case 'L':
      return kLineClass;
    case 'C':
      return kCircleClass;
    default:
      return -1;
  }
}

std::string NormaliseKind(std::string_view kind) {
  return FixedText(ToUpperAscii(Trim(kind)), kKindLength);
}

}  // namespace sakuzu

#include "session/menu_table.h"

#include <algorithm>
#include <cstdlib>

#include "model/kinds.h"

namespace sakuzu {
namespace {

MenuEntry Sub(std::string_view name, std::string_view parent, std::string_view caption) {
  return {name, parent, std::string(caption), {}, true};
}

MenuEntry Item(std::string_view name, std::string_view parent, std::string_view caption,
               std::string_view shortcut = {}) {
  return {name, parent, std::string(caption), shortcut, false};
}

// The caption of a construction or measurement command, from the kind
// catalogue so that the menu and the catalogue cannot drift apart.
std::string KindCaption(std::string_view control) {
  for (const KindInfo& kind : AllKinds()) {
    for (const KindCommand& command : kind.commands) {
      if (command.control == control) return std::string(command.caption);
    }
  }
  return {};
}

MenuEntry Kind(std::string_view name, std::string_view parent, std::string_view shortcut = {}) {
  MenuEntry entry = Item(name, parent, "", shortcut);
  entry.caption = KindCaption(name);
  return entry;
}

void AddFileMenu(std::vector<MenuEntry>& t) {
  const char* p = "mnuFile";
  t.push_back(Sub(p, "", "ﾌｧｲﾙ"));
  t.push_back(Item("mnuNew", p, "新規作成", "Ctrl+N"));
  t.push_back(Item("mnuLoad", p, "例の読み込み", "Ctrl+O"));
  t.push_back(Item("mnuSave", p, "保存", "Ctrl+S"));
  t.push_back(Sub("mnuFDataFolder", p, "データフォルダ"));
  t.push_back(Item("mnuFDataFolderGet", "mnuFDataFolder", "標準に戻す"));
  t.push_back(Item("mnuFDataFolderStandardSet", "mnuFDataFolder", "現在→標準に"));
  t.push_back(Item("mnuFDataFolderSample", "mnuFDataFolder", "サンプル"));
  t.push_back(Item("mnuSaveOnLine", p, "オンライン保存"));
  t.push_back(Item("mnuf_html", p, "html保存"));
  t.push_back(Item("mnufSVG", p, "SVG形式で保存"));
  t.push_back(Item("mnufPDF", p, "PDF形式で保存"));
  t.push_back(Item("mnufPNG", p, "画像として保存"));
  t.push_back(Item("mnuMerge", p, "図形の追加", "Ctrl+M"));
  t.push_back(Item("mnuFprint", p, "印刷", "Ctrl+P"));
  t.push_back(Sub("mnufB", p, "画面切換"));
  t.push_back(Item("mnuOcopyWindow", "mnufB", "画面複写", "F4"));
  t.push_back(Item("mnufBMP", "mnufB", "画面保存(bmp,クリップボード)", "F7"));
  t.push_back(Item("mnuOWindowMini", "mnufB", "縮小/サムネイル(クリップボード)", "Ctrl+T"));
  t.push_back(Item("mnuHmakeAllBmp", "mnufB", "一括生成(現フォルダ)"));
  t.push_back(Item("mnuEasyMenu", p, "メニュー切り換え(フル/簡易)", "Ctrl+X"));
  t.push_back(Item("mnuExit", p, "終了", "Ctrl+Q"));
}

void AddDeformAndEasyMenus(std::vector<MenuEntry>& t) {
  t.push_back(Sub("mnuDeform", "", "変形"));
  t.push_back(Item("mnuDeform1Pt", "mnuDeform", "1点を動かす", "Ctrl+D"));
  t.push_back(Item("mnuDeformPts", "mnuDeform", "複数の点を動かす", "Ctrl+E"));
  t.push_back(Item("mnuDeformVar", "mnuDeform", "変数の値を変える", "Ctrl+V"));

  const char* e = "mnuEasyConst";
  t.push_back(Sub(e, "", "作図"));
  t.push_back(Item("mnuEasy_P01", e, "点:新しい点"));
  t.push_back(Item("mnuEasy_P02", e, "点:n等分"));
  t.push_back(Item("mnuEasy_P03", e, "点:交点(2直線)"));
  t.push_back(Item("mnuEasy_P04", e, "点:交点(直線と円)"));
  t.push_back(Item("mnuEasy_P05", e, "点:交点(2円)"));
  t.push_back(Item("mnuEasy_L01", e, "直線:2点"));
  t.push_back(Item("mnuEasy_L02", e, "直線:直線に平行,1点を通る"));
  t.push_back(Item("mnuEasy_L03", e, "直線:直線に垂直,1点を通る"));
  t.push_back(Item("mnuEasy_L04", e, "直線:線分の垂直二等分線"));
  t.push_back(Item("mnuEasy_S01", e, "線分:2点"));
  t.push_back(Item("mnuEasy_S02", e, "線分:垂線の足"));
  t.push_back(Item("mnuEasy_S03", e, "多角形"));
  t.push_back(Item("mnuEasy_H01", e, "半直線:2点"));
  t.push_back(Item("mnuEasy_H02", e, "半直線:角の2等分線"));
  t.push_back(Item("mnuEasy_C01", e, "円:中心と1点"));
  t.push_back(Item("mnuEasy_Undo", e, "元に戻す"));
  t.push_back(Item("mnuEasy_Redo", e, "やり直し"));
}

void AddConstructionPoints(std::vector<MenuEntry>& t) {
  t.push_back(Sub("mnuConstPoint", "mnuConstruction", "点"));
  t.push_back(Sub("mnuPcross", "mnuConstPoint", "交点"));
  for (const char* name : {"mnuPcrossLL", "mnuPcrossLC", "mnuPcrossCC"}) {
    t.push_back(Kind(name, "mnuPcross"));
  }
  t.push_back(Sub("mnuPbunten", "mnuConstPoint", "分点"));
  for (const char* name : {"mnuPtoubun", "mnuPnaibun", "mnuPextension"}) {
    t.push_back(Kind(name, "mnuPbunten"));
  }
  t.push_back(Sub("mnuPcenter", "mnuConstPoint", "5心など"));
  for (const char* name : {"mnuPgaishin", "mnuPnaishin", "mnuPsuishin", "mnuPjushin", "mnuPboushin",
                           "mnuP9ptcCenter"}) {
    t.push_back(Kind(name, "mnuPcenter"));
  }
  t.push_back(Sub("mnuPnew", "mnuConstPoint", "新しい点の追加"));
  t.push_back(Kind("mnuPnewFreeP", "mnuPnew", "Ctrl+F"));
  t.push_back(Kind("mnuPboundL", "mnuPnew", "Ctrl+L"));
  t.push_back(Kind("mnuPboundC", "mnuPnew", "Ctrl+C"));
  t.push_back(Sub("mnuPextra", "mnuConstPoint", "その他"));
  t.push_back(Kind("mnuPxy", "mnuPextra"));
}

void AddKinds(std::vector<MenuEntry>& t, std::string_view parent,
              std::initializer_list<const char*> names) {
  for (const char* name : names) t.push_back(Kind(name, parent));
}

void AddConstructionMenu(std::vector<MenuEntry>& t) {
  const char* c = "mnuConstruction";
  t.push_back(Sub(c, "", "作図(継続)"));
  AddConstructionPoints(t);
  t.push_back(Sub("mnuConstLine", c, "直線"));
  AddKinds(t, "mnuConstLine",
           {"mnlL2P", "mnuLLP1", "mnuLLP2", "mnuLperpendicular", "mnuLPCtangent", "mnuL2Ctangent1",
            "mnuL2Ctangent2"});
  t.push_back(Sub("mnuConst", c, "線分,多角形"));
  AddKinds(t, "mnuConst", {"mnuS2P", "mnuSPLperpendicular", "mnuSpolygon", "mnuSRegularPolygon"});
  t.push_back(Sub("mnuCOnstHalfLine", c, "半直線"));
  AddKinds(t, "mnuCOnstHalfLine", {"mnuH2P", "mnuHbisector", "mnuHNsector", "mnuHrotation"});
  t.push_back(Sub("mnuConstCircle", c, "円"));
  AddKinds(t, "mnuConstCircle",
           {"mnuCPN", "mnuC2P", "mnuCgaisetsu", "mnuCdiameter", "mnuCnaisetsu", "mnuCbousetsu",
            "mnuC9pt"});
  t.push_back(Sub("mnuConstImaginary", c, "複素数"));
  AddKinds(t, "mnuConstImaginary",
           {"mnuCMPplus", "mnuCMPminus", "mnuCMPmulti", "mnuCMPdiv", "mnuCMPpower", "mnuCMPinv"});
  t.push_back(Sub("mnuTransform", c, "移動・変換"));
  t.push_back(Sub("mnuTransPoint", "mnuTransform", "点→点"));
  AddKinds(t, "mnuTransPoint",
           {"mnuProtate", "mnuPlinesym", "mnuPPsym", "mnuPParallel", "mnuPinversion"});
  t.push_back(Sub("mnuTransLine", "mnuTransform", "線→線"));
  AddKinds(t, "mnuTransLine",
           {"mnuHrotation2", "mnuTLLinesym", "mnuTransformLPsymmetry", "mnuTransformLParallel"});
  t.push_back(Sub("mnuTransCircle", "mnuTransform", "円→円"));
  AddKinds(t, "mnuTransCircle",
           {"mnuTransformCrotate", "mnuTransformLLinesymmetry", "mnuTransformCPsymmetry",
            "mnuTransformCparallel"});
  t.push_back(Sub("mnuTrans2", c, "変換(その2)"));
  AddKinds(t, "mnuTrans2", {"mnuLPCpole", "mnuPLCpolar"});
  t.push_back(Item("mnuCMacroLinear", "mnuTrans2", "一次変換 (2点とその像で決定)"));
  t.push_back(Item("mnuCMacroAffine", "mnuTrans2", "アフィン変換 (3点とその像で決定)"));
  t.push_back(Item("mnuCMacroProjective", "mnuTrans2", "射影変換 (4点とその像で決定)"));
  t.push_back(Item("mnuPTmatrixSW", "mnuTrans2", "変換行列表示(on/off)"));
  t.push_back(Item("mnuCredo", c, "繰り返し(Redo)", "Ctrl+R"));
  t.push_back(Item("mnuCundo", c, "最後抹消(undo)", "Ctrl+U"));
}

void AddMeasureMenus(std::vector<MenuEntry>& t) {
  const char* e = "mnuEasy_Measure";
  t.push_back(Sub(e, "", "測定"));
  t.push_back(Item("mnuEasy_N01", e, "2点の距離"));
  t.push_back(Item("mnuEasy_N02", e, "角度"));
  t.push_back(Item("mnuEasy_N03", e, "3角形の面積"));
  t.push_back(Item("mnuEasy_N04", e, "4角形の面積"));
  t.push_back(Item("mnuEasy_N05", e, "関係を調べる"));

  const char* m = "mnuMeasure";
  t.push_back(Sub(m, "", "測定"));
  t.push_back(Sub("mnuMdis", m, "距離"));
  AddKinds(
      t, "mnuMdis",
      {"mnuMdis2P", "mnuMdisPL", "mnuMdisPL2", "mnuMdisPC", "mnuMdis2L", "mnuMdisLC", "mnuMdis2C"});
  t.push_back(Sub("mnuMangle", m, "角度"));
  AddKinds(t, "mnuMangle", {"mnuMangle1", "mnuMangle2", "mnuMangle3", "mnuMangle2L"});
  t.push_back(Sub("mnuMarea", m, "面積"));
  AddKinds(t, "mnuMarea", {"mnuMarea3P1", "mnuMarea3P2", "mnuMarea4P"});
  t.push_back(Sub("mnuMlength", m, "長さ"));
  AddKinds(t, "mnuMlength", {"mnuMlengthCenshu", "mnuMlengthCradius"});
  t.push_back(Sub("mnuMAxis", m, "座標"));
  AddKinds(t, "mnuMAxis", {"mnuMAxisX", "mnuMAxisY", "mnuMAxisX2"});
  t.push_back(Item("mnuMcalc", m, "数式"));
  t.push_back(Sub("mnuMfunc", m, "関数"));
  AddKinds(t, "mnuMfunc", {"mnuMFsin", "mnuMFcos", "mnuMFtan"});
  t.push_back(Item("mnuMcheck", m, "関係を調べる"));
  t.push_back(Item("mnuMredo", m, "繰り返し(Redo)"));
  t.push_back(Item("mnuMundo", m, "最後抹消(Undo)"));
}

void AddZoomAndLocusMenus(std::vector<MenuEntry>& t) {
  const char* z = "mnuZoom";
  t.push_back(Sub(z, "", "ｽﾞｰﾑ"));
  t.push_back(Item("mnuZoomDefault", z, "標準に戻す", "Ctrl+F3"));
  t.push_back(Item("mnuZoomIn", z, "* 2", "F3"));
  t.push_back(Item("mnuZoomOut", z, "/ 2", "Shift+F3"));
  t.push_back(Item("mnuZoomComplex", z, "複素数用"));
  t.push_back(Item("mnuZoomFit", z, "全体表示", "Ctrl+Shift+F3"));

  const char* l = "mnuLocus";
  t.push_back(Sub(l, "", "軌跡"));
  t.push_back(Item("mnuLocusSW", l, "On/Off", "F9"));
  t.push_back(Item("mnuLocusReset", l, "消去", "Shift+F9"));
  t.push_back(Item("mnuLocusNumCSV", l, "測定記録を見る", "Ctrl+Shift+F9"));
  t.push_back(Sub("mnuLocusSet", l, "設定"));
  t.push_back(Item("mnuLocusSetP", "mnuLocusSet", "点"));
  t.push_back(Item("mnuLocusSetL", "mnuLocusSet", "直線"));
  t.push_back(Item("mnuLocusSetC", "mnuLocusSet", "円"));
  t.push_back(Item("mnuLocusSetN", "mnuLocusSet", "変数"));
  t.push_back(Item("mnuLocusNumClear", l, "軌跡の設定(変数)の解除", "Ctrl+F9"));
}

void AddOptionSteps(std::vector<MenuEntry>& t) {
  const char* o = "mnuOption";
  t.push_back(Sub("mnuOdeform", o, "変形の幅"));
  t.push_back(Item("mnuOdeformStandard", "mnuOdeform", "標準(10ドットずつ)", "F12"));
  t.push_back(Item("mnuOdeformNarrow", "mnuOdeform", "細かく(1ドット)", "Shift+F12"));
  t.push_back(Item("mnuOdeformManual", "mnuOdeform", "任意設定", "Ctrl+Shift+F12"));
  t.push_back(Sub("mnuOdeformNum", o, "数値の変化の幅"));
  t.push_back(Item("mnuOdeformVarStandard", "mnuOdeformNum", "標準(0.5)", "F11"));
  t.push_back(Item("mnuOdeformVarNarrow", "mnuOdeformNum", "細かく(0.1)", "Ctrl+F11"));
  t.push_back(Item("mnuOdeformVarWide", "mnuOdeformNum", "大きく(1)", "Shift+F11"));
  t.push_back(Item("mnuOdeformVarManual", "mnuOdeformNum", "任意設定", "Ctrl+Shift+F11"));
  t.push_back(Item("mnuOchrDisp", o, "文字表示"));
  t.push_back(Item("mnuAngleSW", o, "角のマークの表示"));
  t.push_back(Item("mnuOSmooth", o, "滑らかな描画"));
  t.push_back(Item("mnuOAxis", o, "座標軸の表示", "Ctrl+A"));
  t.push_back(Sub("mnuOAxisKind", o, "座標系の種類"));
  t.push_back(Item("mnuOAxis01", "mnuOAxisKind", "直交座標系"));
  t.push_back(Item("mnuOAxis02", "mnuOAxisKind", "極座標系"));
  t.push_back(Sub("mnuOAxisColor", o, "座標軸の色"));
  t.push_back(Item("mnuOAxisColor1", "mnuOAxisColor", "うすい灰色(標準)"));
  t.push_back(Item("mnuOAxisColor2", "mnuOAxisColor", "中間の灰色"));
  t.push_back(Item("mnuOAxisColor3", "mnuOAxisColor", "濃い灰色"));
  t.push_back(Item("mnuOAxisColorManual", "mnuOAxisColor", "任意設定"));
  t.push_back(Item("mnuWidth", o, "線の幅"));
  t.push_back(Item("mnuFont", o, "字の大きさ"));
  t.push_back(Item("mnuKeta", o, "測定値の桁数"));
}

void AddOptionMenu(std::vector<MenuEntry>& t) {
  const char* o = "mnuOption";
  t.push_back(Sub(o, "", "ｵﾌﾟｼｮﾝ"));
  AddOptionSteps(t);
  t.push_back(Sub("mnuOBackColor", o, "背景色"));
  t.push_back(Item("mnuOBackCWhite", "mnuOBackColor", "白(標準)"));
  t.push_back(Item("mnuOBackCStandard", "mnuOBackColor", "灰色"));
  t.push_back(Item("mnuOBackCmanual", "mnuOBackColor", "任意設定"));
  t.push_back(Item("mnuOColorStrength", o, "色の濃さ"));
  t.push_back(Sub("mnuOSDeform", o, "Shift + 変形の動作"));
  t.push_back(Item("mnuOSDeformLC", "mnuOSDeform", "近接直線/円へ"));
  t.push_back(Item("mnuOSDeformL", "mnuOSDeform", "近接直線へ"));
  t.push_back(Item("mnuOSDeformCross", "mnuOSDeform", "格子点へ"));
  t.push_back(Sub("mnuOWindow", o, "起動時の画面の大きさ"));
  t.push_back(Item("mnuOWindowStandard", "mnuOWindow", "標準"));
  t.push_back(Item("mnuOWindowVGA", "mnuOWindow", "VGA(640×480)"));
  t.push_back(Item("mnuOWindowMax", "mnuOWindow", "最大"));
  t.push_back(Item("mnuOWindowSave", "mnuOWindow", "マニュアル(現在の画面)"));
  t.push_back(Sub("mnuOmenuModeSW", o, "起動時メニューモード"));
  t.push_back(Item("mnuOMenu_easy", "mnuOmenuModeSW", "簡易モード"));
  t.push_back(Item("mnuOmenu_full", "mnuOmenuModeSW", "フルメニュー"));
  t.push_back(Sub("mnuRedrawslowOption", o, "作図再生の速度"));
  t.push_back(Item("mnuRedrawslowOption_01", "mnuRedrawslowOption", "速く(0.2秒)"));
  t.push_back(Item("mnuRedrawslowOption_03", "mnuRedrawslowOption", "標準(0.5秒)"));
  t.push_back(Item("mnuRedrawslowOption_05", "mnuRedrawslowOption", "遅く(1秒)"));
  t.push_back(Sub("mnuOwww", o, "WWWサーバの設定"));
  // The standard server has no caption of its own; "標準" names it.
  t.push_back(Item("mnuOwwwDiderod", "mnuOwww", "標準"));
  t.push_back(Item("mnuOwwwManual", "mnuOwww", "マニュアル"));
  t.push_back(Sub("mnuOFile", o, "設定値の入出力"));
  t.push_back(Item("mnuOFileSave", "mnuOFile", "ファイルに保存"));
  t.push_back(Item("mnuOFileLoad", "mnuOFile", "起動時の設定に戻す"));
  t.push_back(Item("mnuOFileInit", "mnuOFile", "標準値に戻す"));
  t.push_back(Item("mnuOFont", o, "フォント"));
  t.push_back(Sub("mnuODisplaySize", o, "表示の大きさ"));
  t.push_back(Item("mnuODisplaySize0", "mnuODisplaySize", "標準"));
  t.push_back(Item("mnuODisplaySize1", "mnuODisplaySize", "大"));
  t.push_back(Item("mnuODisplaySize2", "mnuODisplaySize", "特大"));
  t.push_back(Sub("mnuONewPointMark", o, "新しい点の印"));
  t.push_back(Item("mnuONewPointMarkOn", "mnuONewPointMark", "見える印(■,束縛点は○)"));
  t.push_back(Item("mnuONewPointMarkOff", "mnuONewPointMark", "小さな点(・)"));
}

void AddEditAndHelpMenus(std::vector<MenuEntry>& t) {
  const char* e = "mnuEdit";
  t.push_back(Sub(e, "", "編集"));
  t.push_back(Item("mnuEUndo", e, "元に戻す", "Ctrl+Z"));
  t.push_back(Item("mnuERedo", e, "やり直し", "Ctrl+Y"));
  t.push_back(Item("mnuEbasicPt", e, "点", "F2"));
  t.push_back(Item("mnuEboundedPt", e, "点(束縛条件)", "Ctrl+B"));
  t.push_back(Item("mnuEbasicLine", e, "直線", "Shift+F2"));
  t.push_back(Item("mnuEbasicCircle", e, "円", "Ctrl+F2"));
  t.push_back(Sub("mnuEVarDisp", e, "変数"));
  t.push_back(Item("mnuEVarDispAllOn", "mnuEVarDisp", "すべて表示"));
  t.push_back(Item("mnuEVarDispAllOff", "mnuEVarDisp", "すべて非表示"));
  t.push_back(Item("mnuEbasicNum", "mnuEVarDisp", "個別に設定", "Ctrl+Shift+F2"));
  t.push_back(Sub("mnuEdit2_point", e, "右クリック編集(点)"));
  t.push_back(Item("mnuEdit2_point_Edit", "mnuEdit2_point", "編集"));
  t.push_back(Item("mnuEdit2_point_Bounded", "mnuEdit2_point", "束縛条件の編集"));
  t.push_back(Item("mnuEdit2_point_Set_Free", "mnuEdit2_point", "フリーにする"));
  t.push_back(Item("mnuEdit2_point_Deform", "mnuEdit2_point", "キーボード変形"));
  t.push_back(Item("mnuEdit2_point_Delete", "mnuEdit2_point", "削除"));

  const char* h = "mnuHelp";
  t.push_back(Sub(h, "", "ﾍﾙﾌﾟ"));
  t.push_back(Item("mnuRakugaki", h, "落書き機能", "F8"));
  t.push_back(Item("mnuHmanual", h, "ヘルプ(マニュアル)", "F1"));
  t.push_back(Item("mnuEditFigDataView", h, "作図データの分析"));
  t.push_back(Item("mnuFigData_Redraw", h, "作図手続きの再生", "Ctrl+F1"));
  t.push_back(Item("mnuEcallHis", h, "call history"));
  t.push_back(Item("mnuVersion", h, "バージョン"));

  t.push_back(Item("mnuLanguage", "", "Language"));
}

std::vector<MenuEntry> BuildTree() {
  std::vector<MenuEntry> tree;
  AddFileMenu(tree);
  AddDeformAndEasyMenus(tree);
  AddConstructionMenu(tree);
  AddMeasureMenus(tree);
  AddZoomAndLocusMenus(tree);
  AddOptionMenu(tree);
  AddEditAndHelpMenus(tree);
  return tree;
}

// The nine top menus that follow the interaction mode.
constexpr std::string_view kModeMenus[] = {"mnuFile",    "mnuDeform", "mnuConstruction",
                                           "mnuMeasure", "mnuOption", "mnuEdit",
                                           "mnuHelp",    "mnuZoom",   "mnuLocus"};

}  // namespace

bool MenuEnabledInMode(std::string_view menu, int mode) {
  switch (mode) {
    case 2:
      return true;
    case 6:
    case 16:
    case 22:
    case 61:
      return menu == "mnuOption" || menu == "mnuHelp" || menu == "mnuZoom" || menu == "mnuLocus";
    case 70:
      return menu == "mnuHelp" || menu == "mnuZoom";
    default:
      return false;
  }
}

namespace {

// What the easy menu hides and the full menu shows again.
constexpr std::string_view kFullOnly[] = {
    "mnuFDataFolder",     "mnuFprint",      "mnuMerge",     "mnuDeform",   "mnuConstruction",
    "mnuMeasure",         "mnuEdit",        "mnuOption",    "mnuLocusSet", "mnuLocusNumClear",
    "mnuEditFigDataView", "mnuZoomComplex", "mnuSaveOnLine"};

constexpr std::string_view kCheckable[] = {"mnuOdeformStandard",
                                           "mnuOdeformNarrow",
                                           "mnuOdeformManual",
                                           "mnuOdeformVarStandard",
                                           "mnuOdeformVarNarrow",
                                           "mnuOdeformVarWide",
                                           "mnuOdeformVarManual",
                                           "mnuOchrDisp",
                                           "mnuAngleSW",
                                           "mnuOSmooth",
                                           "mnuOAxis",
                                           "mnuOAxis01",
                                           "mnuOAxis02",
                                           "mnuOSDeformLC",
                                           "mnuOSDeformL",
                                           "mnuOSDeformCross",
                                           "mnuOWindowStandard",
                                           "mnuOWindowVGA",
                                           "mnuOWindowMax",
                                           "mnuOWindowSave",
                                           "mnuOMenu_easy",
                                           "mnuOmenu_full",
                                           "mnuRedrawslowOption_01",
                                           "mnuRedrawslowOption_03",
                                           "mnuRedrawslowOption_05",
                                           "mnuLocusSW",
                                           "mnuPTmatrixSW",
                                           "mnuODisplaySize0",
                                           "mnuODisplaySize1",
                                           "mnuODisplaySize2",
                                           "mnuONewPointMarkOn",
                                           "mnuONewPointMarkOff"};

// Check marks as designed; the state's marks replace them at start-up.
constexpr std::string_view kDesignChecked[] = {
    "mnuOdeformStandard", "mnuOdeformVarStandard", "mnuOchrDisp",   "mnuOAxis01",
    "mnuOSDeformLC",      "mnuOWindowStandard",    "mnuOmenu_full", "mnuRedrawslowOption_03",
    "mnuODisplaySize0",   "mnuONewPointMarkOn"};

// Reachable in the design, but never: their prompts stay in the program.
constexpr std::string_view kUnreachable[] = {"mnuFont", "mnuOColorStrength", "mnuEcallHis"};

bool Near(int value, int target) { return std::abs(value - target) <= kWindowSizeToleranceTwips; }

}  // namespace

std::span<const std::string_view> ModeMenus() { return kModeMenus; }
std::span<const std::string_view> FullOnlyItems() { return kFullOnly; }
std::span<const std::string_view> CheckableItems() { return kCheckable; }
std::span<const std::string_view> DesignCheckedItems() { return kDesignChecked; }
std::span<const std::string_view> UnreachableItems() { return kUnreachable; }

const std::vector<MenuEntry>& MenuTree() {
  static const std::vector<MenuEntry> tree = BuildTree();
  return tree;
}

const std::vector<EasyMenuLink>& EasyMenuLinks() {
  static const std::vector<EasyMenuLink> links = {{"mnuEasy_P01", "mnuPnewFreeP"},
                                                  {"mnuEasy_P02", "mnuPtoubun"},
                                                  {"mnuEasy_P03", "mnuPcrossLL"},
                                                  {"mnuEasy_P04", "mnuPcrossLC"},
                                                  {"mnuEasy_P05", "mnuPcrossCC"},
                                                  {"mnuEasy_L01", "mnlL2P"},
                                                  {"mnuEasy_L02", "mnuLLP1"},
                                                  {"mnuEasy_L03", "mnuLLP2"},
                                                  {"mnuEasy_L04", "mnuLperpendicular"},
                                                  {"mnuEasy_S01", "mnuS2P"},
                                                  {"mnuEasy_S02", "mnuSPLperpendicular"},
                                                  {"mnuEasy_S03", "mnuSpolygon"},
                                                  {"mnuEasy_H01", "mnuH2P"},
                                                  {"mnuEasy_H02", "mnuHbisector"},
                                                  {"mnuEasy_C01", "mnuC2P"},
                                                  {"mnuEasy_N01", "mnuMdis2P"},
                                                  {"mnuEasy_N02", "mnuMangle1"},
                                                  {"mnuEasy_N03", "mnuMarea3P1"},
                                                  {"mnuEasy_N04", "mnuMarea4P"},
                                                  {"mnuEasy_N05", "mnuMcheck"},
                                                  {"mnuEasy_Undo", "mnuEUndo"},
                                                  {"mnuEasy_Redo", "mnuERedo"}};
  return links;
}

const std::vector<std::string_view>& FutureItemNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> list;
    return list;
  }();
  return names;
}

std::vector<std::pair<std::string_view, bool>> MenuChecks(const MenuCheckState& s) {
  std::vector<std::pair<std::string_view, bool>> marks;
  auto check = [&marks](std::string_view name, bool on) { marks.emplace_back(name, on); };
  check("mnuOchrDisp", !s.labelsOff);
  check("mnuAngleSW", s.angleMarks);
  check("mnuOSmooth", s.smooth);
  check("mnuOAxis", s.axisOn);
  check("mnuOAxis01", s.axisKind == 0);
  check("mnuOAxis02", s.axisKind == 1);

  // A step of 20 belongs to none of the three items.
  check("mnuOdeformNarrow", s.delta == 1);
  check("mnuOdeformStandard", s.delta == 10);
  check("mnuOdeformManual", s.delta != 1 && s.delta != 10 && s.delta != 20);

  bool narrow = s.deltaVar == 0.1;
  bool standard = s.deltaVar == 0.5;
  bool wide = s.deltaVar == 1;
  check("mnuOdeformVarNarrow", narrow);
  check("mnuOdeformVarStandard", standard);
  check("mnuOdeformVarWide", wide);
  check("mnuOdeformVarManual", !narrow && !standard && !wide);

  bool normal = s.windowState == 0;
  bool standardSize = normal && Near(s.windowWidthTwips, s.standardWidthTwips) &&
                      Near(s.windowHeightTwips, s.standardHeightTwips);
  bool vgaSize = normal && Near(s.windowWidthTwips, s.vgaWidthTwips) &&
                 Near(s.windowHeightTwips, s.vgaHeightTwips);
  bool maximized = s.savedWindowState != 0;
  check("mnuOWindowStandard", standardSize);
  check("mnuOWindowVGA", vgaSize);
  check("mnuOWindowMax", maximized);
  check("mnuOWindowSave", !standardSize && !vgaSize && !maximized);

  check("mnuOMenu_easy", s.savedMenuMode == kEasyMenuMode);
  check("mnuOmenu_full", s.savedMenuMode == kFullMenuMode);
  check("mnuRedrawslowOption_01", s.replayInterval == 200);
  check("mnuRedrawslowOption_03", s.replayInterval == 500);
  check("mnuRedrawslowOption_05", s.replayInterval == 1000);
  check("mnuOSDeformLC", s.sDeformKind == 0);
  check("mnuOSDeformL", s.sDeformKind == 1);
  check("mnuOSDeformCross", s.sDeformKind == 2);
  check("mnuLocusSW", s.locusOn);
  check("mnuPTmatrixSW", s.matrixDisplay);
  check("mnuODisplaySize0", s.displaySize == 0);
  check("mnuODisplaySize1", s.displaySize == 1);
  check("mnuODisplaySize2", s.displaySize == 2);
  check("mnuONewPointMarkOn", s.newPointMarks);
  check("mnuONewPointMarkOff", !s.newPointMarks);
  return marks;
}

namespace {

bool Contains(std::span<const std::string_view> list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

bool Contains(const std::vector<std::string_view>& list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

std::vector<MenuItemState> MenuStates(const MenuInputs& in, const TranslateFnRef& translate) {
  auto t = [&](const std::string& text) { return translate ? translate(text) : text; };
  const bool easy = in.menuMode == kEasyMenuMode;
  std::vector<MenuItemState> items;
  for (const MenuEntry& entry : MenuTree()) {
    MenuItemState item;
    item.name = entry.name;
    item.parent = entry.parent;
    item.caption = t(entry.caption);
    item.shortcut = entry.shortcut;
    item.submenu = entry.submenu;
    item.checkable = Contains(CheckableItems(), entry.name);
    item.visible = !Contains(UnreachableItems(), entry.name) && entry.name != "mnuEdit2_point" &&
                   !Contains(in.leftOut, entry.name);
    item.enabled =
        !Contains(UnreachableItems(), entry.name) && !Contains(FutureItemNames(), entry.name);
    if (easy && Contains(FullOnlyItems(), entry.name)) item.visible = false;
    if (entry.name == "mnuEasyConst" || entry.name == "mnuEasy_Measure") item.visible = easy;
    items.push_back(std::move(item));
  }
  auto find = [&items](std::string_view name) -> MenuItemState* {
    for (MenuItemState& item : items) {
      if (item.name == name) return &item;
    }
    return nullptr;
  };
  for (std::string_view menu : ModeMenus()) find(menu)->enabled = MenuEnabledInMode(menu, in.mode);
  find("mnuEasyConst")->enabled = MenuEnabledInMode("mnuConstruction", in.mode);
  find("mnuEasy_Measure")->enabled = MenuEnabledInMode("mnuMeasure", in.mode);
  find("mnuEasyMenu")->caption = t(easy ? "フルメニューに" : "簡易メニューに");
  for (const auto& [name, on] : MenuChecks(in.checks)) find(name)->checked = on;
  for (const char* name : {"mnuEUndo", "mnuEasy_Undo"}) {
    find(name)->caption = in.undoCaption;
    find(name)->enabled = in.canUndo;
  }
  for (const char* name : {"mnuERedo", "mnuEasy_Redo"}) {
    find(name)->caption = in.redoCaption;
    find(name)->enabled = in.canRedo;
  }
  // Undo and redo keep their keys in either menu, on the items shown.
  find("mnuEasy_Undo")->shortcut = easy ? find("mnuEUndo")->shortcut : std::string_view{};
  find("mnuEasy_Redo")->shortcut = easy ? find("mnuERedo")->shortcut : std::string_view{};
  if (easy) find("mnuEUndo")->shortcut = find("mnuERedo")->shortcut = {};
  // An easy item runs its full command and is available when it is.
  for (const EasyMenuLink& link : EasyMenuLinks()) {
    find(link.easyItem)->enabled = find(link.fullItem)->enabled;
  }
  for (const auto& [name, keys] : in.shortcuts) {
    if (MenuItemState* item = find(name)) item->shortcut = keys;
  }
  return items;
}

}  // namespace sakuzu

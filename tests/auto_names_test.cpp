#include "numbers/auto_names.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace sakuzu {
namespace {

ObjectRef Add(Figure& fig, int cls, const std::string& name = "") {
  const ObjectRef r{static_cast<int16_t>(cls), static_cast<int16_t>(AddObject(fig, cls))};
  if (!name.empty()) SetObjectName(fig, r, name);
  return r;
}

// Appends a step with the given inputs and one new output of class `out`.
ObjectRef Step(Figure& fig, const std::string& kind, std::vector<ObjectRef> inputs,
               int out = kNumberClass) {
  const int s = AppendStep(fig);
  fig.StepKind[s] = kind;
  for (size_t j = 0; j < inputs.size(); ++j) fig.StepInputs[s][j + 1] = inputs[j];
  return fig.StepOutputs[s][1] = Add(fig, out);
}

TEST(AutoNames, EveryKindsForm) {
  Figure fig;
  const ObjectRef a = Add(fig, kPointClass), b = Add(fig, kPointClass), c = Add(fig, kPointClass),
                  d = Add(fig, kPointClass);
  const ObjectRef l = Add(fig, kLineClass, "l"), m = Add(fig, kLineClass, "m");
  const ObjectRef k = Add(fig, kCircleClass, "c"), e = Add(fig, kCircleClass, "e");
  const ObjectRef x = Add(fig, kNumberClass, "x");
  const std::map<std::string, std::pair<std::vector<ObjectRef>, std::string>> cases = {
      {"ND2P", {{a, b}, "AB"}},
      {"NDPL", {{a, l}, "d(A, l)"}},
      {"NPL2", {{b, m}, "d(B, m)"}},
      {"ND2L", {{l, m}, "d(l, m)"}},
      {"NDPC", {{a, k}, "d(A, 円c)"}},
      {"NDLC", {{l, k}, "d(l, 円c)"}},
      {"ND2C", {{k, e}, "d(円c, 円e)"}},
      {"NA3P", {{a, b, c}, "∠ABC"}},
      {"NA3+", {{c, b, a}, "∠CBA"}},
      {"NA3M", {{a, b, c}, "∠ABC"}},
      {"NA3*", {{a, b, c}, "∠ABC"}},
      {"NA2L", {{l, m}, "∠(l, m)"}},
      {"NAR3", {{a, b, c}, "ΔABC"}},
      {"NAR+", {{a, b, c}, "ΔABC"}},
      {"NAR4", {{a, b, c, d}, "□ABCD"}},
      {"NPX", {{a}, "A(x)"}},
      {"NPX2", {{a}, "A"}},
      {"NPY", {{a}, "A(y)"}},
      {"NRC", {{k}, "円cの半径"}},
      {"NLC", {{k}, "円cの円周"}},
      {"NSIN", {{x}, "SIN(x)"}},
      {"NCOS", {{x}, "COS(x)"}},
      {"NTAN", {{x}, "TAN(x)"}},
  };
  std::map<std::string, ObjectRef> outputs;
  for (const auto& [kind, inputsAndName] : cases) {
    outputs[kind] = Step(fig, kind, inputsAndName.first);
  }
  const ObjectRef line = Step(fig, "L1", {c, d}, kLineClass);
  UpdateAutoNames(fig);
  for (const auto& [kind, inputsAndName] : cases) {
    EXPECT_EQ(ObjectName(fig, outputs[kind]), inputsAndName.second) << kind;
  }
  EXPECT_EQ(ObjectName(fig, line), "CD");

  // With a dictionary the Japanese words translate, and a Latin word is set
  // apart from the name; the signs are symbols and stay.
  UpdateAutoNames(fig, [](const std::string& t) -> std::string {
    static const std::map<std::string, std::string> dict = {
        {"円", "circle"}, {"の半径", "'s radius"}, {"Δ", "tri "}, {"□", "quad "}};
    auto it = dict.find(t);
    return it == dict.end() ? t : it->second;
  });
  EXPECT_EQ(ObjectName(fig, outputs["NRC"]) + "|" + ObjectName(fig, outputs["ND2C"]) + "|" +
                ObjectName(fig, outputs["NAR4"]) + "|" + ObjectName(fig, outputs["NA3P"]),
            "circle c's radius|d(circle c, circle e)|□ABCD|∠ABC");
}

TEST(AutoNames, NamesFollowRenamedInputs) {
  Figure fig;
  const ObjectRef a = Add(fig, kPointClass), b = Add(fig, kPointClass), c = Add(fig, kPointClass);
  const ObjectRef ab = Step(fig, "ND2P", {a, b}), abc = Step(fig, "NA3P", {a, b, c});
  const ObjectRef free = Add(fig, kNumberClass, "ratio");
  const ObjectRef point = Step(fig, "PM", {a, b}, kPointClass);  // a kind without a rule
  SetObjectName(fig, point, "M");
  UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, ab), "AB");
  SetObjectName(fig, b, "Q"), UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, ab) + "|" + ObjectName(fig, abc) + "|" + ObjectName(fig, free) + "|" +
                ObjectName(fig, point),
            "AQ|∠AQC|ratio|M");

  // Long names are cut to the field: 10 characters for a line.
  SetObjectName(fig, a, "Pointa"), SetObjectName(fig, b, "Pointb");
  const ObjectRef line = Step(fig, "L1", {a, b}, kLineClass);
  UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, line), "PointaPoin");
  EXPECT_EQ(ObjectName(fig, ab), "PointaPointb");
}

TEST(AutoNames, ExpressionNumbersAndBadSlots) {
  Figure fig;
  const ObjectRef a = Add(fig, kPointClass), b = Add(fig, kPointClass);
  Step(fig, "ND2P", {a, b});  // number 1, AB
  const ObjectRef two = Add(fig, kNumberClass);
  fig.Numbers[two.index].value = 2;
  const ObjectRef calc = Step(fig, "CALC", {});
  fig.Numbers[calc.index].expression = "N1*N2";
  UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, calc), "AB* 2");
  fig.Numbers[two.index].value = -0.75;  // a varied free number shows its new value
  SetObjectName(fig, a, "P"), UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, calc), "PB*-0.75");
  // A display text longer than 40 characters is cut.
  SetObjectName(fig, a, "Pqrstuvwxy"), SetObjectName(fig, b, "Qrstuvwxyz");
  fig.Numbers[calc.index].expression = "N1+N1+N1", UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, calc), "PqrstuvwxyQrstuvwxyz+PqrstuvwxyQrstuvwxy");

  // Slots that name nothing give empty parts; an output outside its
  // table is left alone.
  const ObjectRef bad = Step(fig, "ND2P", {a, {kPointClass, 40}});
  const ObjectRef none = Step(fig, "NPX", {});
  Step(fig, "NPY", {a});
  fig.StepOutputs[fig.StepCount][1] = {kNumberClass, 30000};
  UpdateAutoNames(fig);
  EXPECT_EQ(ObjectName(fig, bad), "Pqrstuvwxy");
  EXPECT_EQ(ObjectName(fig, none), "(x)");
  EXPECT_FALSE(AutoName(fig, 0) || AutoName(fig, fig.StepCount + 1));
}

}  // namespace
}  // namespace sakuzu

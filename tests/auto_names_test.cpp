#include "numbers/auto_names.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace sakuzu {
namespace {

ObjectRef Add(Figure& fig, int cls) {
  return {static_cast<int16_t>(cls), static_cast<int16_t>(AddObject(fig, cls))};
}

// Appends a step with the given inputs and one new output of class `out`.
ObjectRef Step(Figure& fig, const std::string& kind, std::vector<ObjectRef> inputs,
               int out = kNumberClass) {
  int s = AppendStep(fig);
  fig.StepKind[s] = kind;
  for (size_t j = 0; j < inputs.size(); ++j) fig.StepInputs[s][j + 1] = inputs[j];
  ObjectRef output = Add(fig, out);
  fig.StepOutputs[s][1] = output;
  return output;
}

std::string Name(const Figure& fig, ObjectRef ref) { return ObjectName(fig, ref); }

TEST(AutoNames, EveryKindsForm) {
  Figure fig;
  ObjectRef a = Add(fig, kPointClass), b = Add(fig, kPointClass), c = Add(fig, kPointClass),
            d = Add(fig, kPointClass);
  ObjectRef l = Add(fig, kLineClass), m = Add(fig, kLineClass);
  ObjectRef k = Add(fig, kCircleClass), e = Add(fig, kCircleClass);
  SetObjectName(fig, l, "l");
  SetObjectName(fig, m, "m");
  SetObjectName(fig, k, "c");
  SetObjectName(fig, e, "e");
  ObjectRef x = Add(fig, kNumberClass);
  SetObjectName(fig, x, "x");

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
  for (const auto& [kind, inputsAndName] : cases)
    outputs[kind] = Step(fig, kind, inputsAndName.first);
  ObjectRef line = Step(fig, "L1", {c, d}, kLineClass);
  UpdateAutoNames(fig);
  for (const auto& [kind, inputsAndName] : cases) {
    EXPECT_EQ(Name(fig, outputs[kind]), inputsAndName.second) << kind;
  }
  EXPECT_EQ(Name(fig, line), "CD");

  // With a dictionary, the Japanese pieces and the area signs translate.
  TranslateFn english = [](const std::string& t) {
    static const std::map<std::string, std::string> dict = {
        {"円", "circle "}, {"の半径", "'s radius"}, {"Δ", "tri "}, {"□", "quad "}};
    auto it = dict.find(t);
    return it == dict.end() ? t : it->second;
  };
  UpdateAutoNames(fig, english);
  EXPECT_EQ(Name(fig, outputs["NRC"]), "circle c's radius");
  EXPECT_EQ(Name(fig, outputs["NAR4"]), "quad ABCD");
  EXPECT_EQ(Name(fig, outputs["NAR3"]), "tri ABC");
  EXPECT_EQ(Name(fig, outputs["NA3P"]), "∠ABC");  // the angle sign is not translated
}

TEST(AutoNames, NamesFollowRenamedInputs) {
  Figure fig;
  ObjectRef a = Add(fig, kPointClass), b = Add(fig, kPointClass), c = Add(fig, kPointClass);
  ObjectRef ab = Step(fig, "ND2P", {a, b});
  ObjectRef abc = Step(fig, "NA3P", {a, b, c});
  ObjectRef free = Add(fig, kNumberClass);
  SetObjectName(fig, free, "ratio");
  ObjectRef point = Step(fig, "PM", {a, b}, kPointClass);  // a kind without a rule
  SetObjectName(fig, point, "M");
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, ab), "AB");
  SetObjectName(fig, b, "Q");
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, ab), "AQ");
  EXPECT_EQ(Name(fig, abc), "∠AQC");
  EXPECT_EQ(Name(fig, free), "ratio");
  EXPECT_EQ(Name(fig, point), "M");

  // Long names are cut to the field: 10 characters for a line.
  SetObjectName(fig, a, "Pointa");
  SetObjectName(fig, b, "Pointb");
  ObjectRef line = Step(fig, "L1", {a, b}, kLineClass);
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, line), "PointaPoin");
  EXPECT_EQ(Name(fig, ab), "PointaPointb");
}

TEST(AutoNames, ExpressionNumbersAndBadSlots) {
  Figure fig;
  ObjectRef a = Add(fig, kPointClass), b = Add(fig, kPointClass);
  ObjectRef ab = Step(fig, "ND2P", {a, b});
  ObjectRef two = Add(fig, kNumberClass);
  fig.Numbers[two.index].value = 2;
  ObjectRef calc = Step(fig, "CALC", {});
  fig.Numbers[calc.index].expression = "N1*N2";
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, calc), "AB* 2");
  fig.Numbers[two.index].value = -0.75;  // a varied free number shows its new value
  SetObjectName(fig, a, "P");
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, calc), "PB*-0.75");
  // A display text longer than 40 characters is cut.
  SetObjectName(fig, a, "Pqrstuvwxy");
  SetObjectName(fig, b, "Qrstuvwxyz");
  fig.Numbers[calc.index].expression = "N1+N1+N1";
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, ab), "PqrstuvwxyQrstuvwxyz");
  EXPECT_EQ(Name(fig, calc), "PqrstuvwxyQrstuvwxyz+PqrstuvwxyQrstuvwxy");

  // Slots that name nothing give empty parts; an output outside its
  // table is left alone.
  ObjectRef bad = Step(fig, "ND2P", {a, {kPointClass, 40}});
  ObjectRef none = Step(fig, "NPX", {});
  int s = AppendStep(fig);
  fig.StepKind[s] = "NPY";
  fig.StepInputs[s][1] = a;
  fig.StepOutputs[s][1] = {kNumberClass, 30000};
  UpdateAutoNames(fig);
  EXPECT_EQ(Name(fig, bad), "Pqrstuvwxy");
  EXPECT_EQ(Name(fig, none), "(x)");
  EXPECT_FALSE(AutoName(fig, 0).has_value());
  EXPECT_FALSE(AutoName(fig, fig.StepCount + 1).has_value());
}

}  // namespace
}  // namespace sakuzu

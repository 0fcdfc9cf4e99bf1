// SPDX-License-Identifier: MIT
// The window's fields and the core's rows of the calculators' quantities,
// which lumora-cli and the web page are made from, hold the same start
// texts, lengths and tooltips: the faces cannot drift apart unseen.
#include "calc/calculators/quantities.h"
#include "form1_fixture.h"

namespace lumora::ui::testing {
namespace {

using Rows = Form1Test;

struct FieldRow {
    const char* name; // the window's field
    const QuantityRow& row;
};

TEST_F(Rows, EveryFieldStartsAsItsRowSays)
{
    using R = RuntimeQuantity;
    using S = ResistorQuantity;
    const FieldRow fields[] = {
        {"Text1", RowOf(R::LedCurrent)},      {"Text2", RowOf(R::LedVf)},    {"Text3", RowOf(R::BatteryVoltage)},
        {"Text4", RowOf(R::Capacity)},        {"Text5", RowOf(R::Runtime)},  {"Text6", RowOf(R::Efficiency)},
        {"Text23", RowOf(S::BatteryVoltage)}, {"Text22", RowOf(S::LedVf)},   {"Text21", RowOf(S::LedCurrent)},
        {"Text24", RowOf(S::Resistance)},     {"Text25", RowOf(S::Wattage)}, {"Text13", RowOf(S::LedCount)},
    };
    for (const FieldRow& field : fields) {
        EXPECT_EQ(Text(field.name).toStdString(), field.row.Start) << field.name;
        EXPECT_EQ(Field(field.name)->toolTip().toStdString(), field.row.Tip) << field.name;
        if (field.row.MaxLength > 0) {
            EXPECT_EQ(Field(field.name)->maxLength(), static_cast<int>(field.row.MaxLength)) << field.name;
        }
    }
}

} // namespace
} // namespace lumora::ui::testing

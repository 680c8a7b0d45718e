// The record before any mode is set and the copy the first reset keeps.
// Both need a process in which no reset has happened yet, so each case
// runs in a freshly started copy of the test program.
#include <cstdio>
#include <cstdlib>

#include "colortest.h"

// The test program is linked with malloc wrapped, so that one case can
// make the first reset's allocation fail.
extern "C" void *__real_malloc(size_t n);
namespace {
bool fail_malloc = false;
}
extern "C" void *__wrap_malloc(size_t n)
{
    return fail_malloc ? nullptr : __real_malloc(n);
}

namespace {

// Checks made in the child process; a failure is printed and sets the
// exit status.
bool child_failed = false;
#define CHILD_EXPECT(cond)                                                   \
    do {                                                                     \
        if (!(cond)) {                                                       \
            fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #cond);       \
            child_failed = true;                                             \
        }                                                                    \
    } while (0)

class ColorFirstResetDeathTest : public ColorTable {
protected:
    void SetUp() override
    {
        ColorTable::SetUp();
        // Re-runs the program for just this test, so nothing ran before.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }

    bool cell_is(int i, int r, int g, int b)
    {
        return cell(i).r == r && cell(i).g == g && cell(i).b == b;
    }

    void initial_record()
    {
        CHILD_EXPECT(info().numcolors == 16 && info().numfree == 0);
        CHILD_EXPECT(info().black == 0 && info().white == 15);
        CHILD_EXPECT(info().rgbmode == 0);
        for (int i = 0; i < 3; i++) {
            CHILD_EXPECT(info().prec[i] == 6 && info().toppos[i] == 5);
            CHILD_EXPECT(info().mask[i] == 0xFC && info().round[i] == 2);
            CHILD_EXPECT(info().shift[i] == 2);
        }
        CHILD_EXPECT(info().normshift == 2);
        for (int i = 0; i < 16; i++) {
            CHILD_EXPECT(cell_is(i, kDefaults[i][0], kDefaults[i][1],
                                 kDefaults[i][2]));
            CHILD_EXPECT(cell(i).flags == 0 && cell(i).refcount == 0);
        }
        for (int i = 16; i < 256; i++)
            CHILD_EXPECT(cell_is(i, 0, 0, 0) && cell(i).flags == 0 &&
                         cell(i).refcount == 0);

        // A text mode first: the counts come back from the kept copy.
        CHILD_EXPECT(reset(4, GR_frameText, {6, 6, 6}, {0, 0, 0}) == 1);
        CHILD_EXPECT(info().numcolors == 16 && info().numfree == 0);
        CHILD_EXPECT(reset(8, GR_frameRAM8, {8, 8, 8}, {16, 8, 0}) == 1);
        CHILD_EXPECT(loads().size() == 16 && cell_is(6, 170, 85, 0));
        exit(child_failed ? 1 : 0);
    }

    void changed_before_first_reset()
    {
        GrSetColor(3, 255, 0, 0);
        CHILD_EXPECT(cell_is(3, 252, 0, 0));
        CHILD_EXPECT(palette8() == 1);
        CHILD_EXPECT(cell_is(3, 252, 0, 0));
        CHILD_EXPECT(cell(3).flags == GR_COLOR_LOADED && cell(3).refcount == 0);
        exit(child_failed ? 1 : 0);
    }

    void no_saved_copy()
    {
        fail_malloc = true;
        const int text = reset(4, GR_frameText, {6, 6, 6}, {0, 0, 0});
        fail_malloc = false;
        CHILD_EXPECT(text == 0);
        CHILD_EXPECT(info().numcolors == 0);
        CHILD_EXPECT(GrAllocColor(1, 2, 3) == GR_NOCOLOR);
        CHILD_EXPECT(GrAllocCell() == GR_NOCOLOR);
        // Only the first reset tries to keep a copy.
        CHILD_EXPECT(reset(4, GR_frameText, {6, 6, 6}, {0, 0, 0}) == 0);

        // Palette modes then start without preset colours.
        CHILD_EXPECT(reset(8, GR_frameRAM8, {8, 8, 8}, {16, 8, 0}) == 1);
        CHILD_EXPECT(info().numfree == 256 && loads().empty());
        CHILD_EXPECT(cell(15).flags == 0);
        CHILD_EXPECT(GrAllocColor(0, 0, 170) == 0);
        exit(child_failed ? 1 : 0);
    }
};

TEST_F(ColorFirstResetDeathTest, InitialRecordAndKeptCopy)
{
    EXPECT_EXIT(initial_record(), ::testing::ExitedWithCode(0), "");
}

TEST_F(ColorFirstResetDeathTest, CopyIsTakenAtFirstReset)
{
    EXPECT_EXIT(changed_before_first_reset(), ::testing::ExitedWithCode(0), "");
}

TEST_F(ColorFirstResetDeathTest, TextModeFailsWithoutKeptCopy)
{
    EXPECT_EXIT(no_saved_copy(), ::testing::ExitedWithCode(0), "");
}

}  // namespace

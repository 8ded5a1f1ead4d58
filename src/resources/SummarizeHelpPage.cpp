#include <string_view>

#include "src/resources/PictureMakers.h"
#include "src/resources/PixelCanvas.h"
#include "src/resources/PixelFont.h"
#include "src/resources/SummarizeHelpExample.h"

namespace tessaly::pictures {
namespace {

constexpr int kWidth = 622;
constexpr int kHeight = 435;
constexpr int kMargin = 16;
constexpr int kLine = pixelfont::kLineHeight;

constexpr Rgba kPaper{255, 255, 255};
constexpr Rgba kInk{0, 0, 0};
constexpr Rgba kNavy{24, 58, 112};
constexpr Rgba kRule{160, 160, 160};

// Writes lines and headings down the page.
class Page {
public:
    explicit Page(PixelCanvas& canvas, int top) : canvas_(canvas), y_(top) {}

    void Lines(std::initializer_list<std::string_view> lines, int indent = 0) {
        for (std::string_view line : lines) {
            canvas_.Text(kMargin + indent, y_, line, kInk);
            y_ += kLine;
        }
    }
    void Heading(std::string_view text) {
        y_ += kLine / 2;
        canvas_.Text(kMargin, y_, text, kNavy, 1, true);
        y_ += kLine;
    }
    void Space(int pixels) { y_ += pixels; }
    int Y() const { return y_; }

private:
    PixelCanvas& canvas_;
    int y_;
};

// A small table in a box: a header row over a rule, then the rows; the
// columns start at the given offsets.
int DrawTable(PixelCanvas& canvas, int x, int y, std::string_view title, const HelpTable& rows,
              std::initializer_list<int> columns, int width) {
    canvas.Text(x, y, title, kNavy, 1, true);
    const int top = y + kLine;
    const int height = static_cast<int>(rows.size()) * kLine + 6;
    canvas.Outline(x, top, width, height, kRule);
    int rowY = top + 4;
    bool header = true;
    for (const auto& row : rows) {
        auto column = columns.begin();
        for (const std::string& cell : row) {
            canvas.Text(x + *column, rowY, cell, kInk, 1, header);
            ++column;
        }
        if (header) canvas.Fill(x, rowY + kLine - 2, width, 1, kRule);
        rowY += kLine;
        header = false;
    }
    return top + height;
}

}  // namespace

const SummarizeHelpExample& TheSummarizeHelpExample() {
    static const SummarizeHelpExample example{
        {{"F1", "F2"}, {"A", "10"}, {"A", "20"}, {"B", "2"}, {"B", "4"}, {"B", "6"}},
        {{"Minimum_F1", "Count_F1", "Sum_F2"}, {"A", "2", "30"}, {"B", "3", "12"}},
    };
    return example;
}

// The summarize dialog's help: what a summary table is, with a worked example,
// and how the dialog's steps choose its field, statistics and output.
platform::Bitmap SummarizeHelpPage() {
    PixelCanvas canvas(kWidth, kHeight, kPaper);
    canvas.Fill(0, 0, kWidth, 40, kNavy);
    canvas.Text(kMargin, 11, "About summarizing data", kPaper, 2, true);

    Page page(canvas, 52);
    page.Lines({
        "Summarize makes a new table with one record for each distinct value of the field you choose.",
        "Each record holds that value (in a field named Minimum_ and the field), the number of input",
        "records that share it, and any statistics that you ask for on the other fields.",
    });
    page.Space(kLine / 2);
    page.Lines({"For example, an input table with the fields F1 and F2, summarized on F1 with the sum of F2:"});
    page.Space(kLine / 2);

    const int tablesTop = page.Y();
    const SummarizeHelpExample& example = TheSummarizeHelpExample();
    const int inputBottom = DrawTable(canvas, kMargin + 24, tablesTop, "Input table", example.input, {8, 56}, 96);
    canvas.Text(kMargin + 152, tablesTop + kLine + 4 + 2 * kLine, "==>", kNavy, 1, true);
    DrawTable(canvas, kMargin + 200, tablesTop, "Output table", example.output, {8, 84, 144}, 196);
    page.Space(inputBottom - tablesTop);

    page.Heading("Choosing the field to summarize");
    page.Lines({
        "Pick the layer or table first, then the field whose values group the records.  Each distinct",
        "value of that field becomes one record of the output table.",
    });
    page.Heading("Adding statistics");
    page.Lines({
        "Under each of the other fields, tick the statistics you want:  minimum, maximum, average, sum,",
        "standard deviation and variance for numbers, first and last for text and dates.  Each one",
        "becomes an output field named by the statistic, an underscore and the field, such as Sum_F2;",
        "first and last come out as the smallest and largest value, in Minimum_ and Maximum_ fields.",
        "A count field, such as Count_F1, tells how many input records have each value.",
    });
    page.Heading("Naming the output table");
    page.Lines({
        "Type the full path of the new dBASE table, or press the browse button to choose its folder",
        "and name.  Summarize never overwrites a table that already exists:  it refuses a name that is",
        "taken, and browsing to one proposes the next free name.",
    });
    page.Heading("Shapes");
    page.Lines({"The shape field of a layer is ignored:  the output table holds attributes only."});
    return canvas.ToBitmap();
}

}  // namespace tessaly::pictures

#include "quarter_workbook.h"

#include <xlsxwriter.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <system_error>
#include <tuple>
#include <vector>

#include "file_access.h"
#include "form_layout.h"

namespace veltra {

namespace {

constexpr std::size_t kMaxCellUnits = 32767;
constexpr double kSecondsPerDay = 86400;
// The form's type sizes in points (pixels at 96 dpi × 3/4).
constexpr double kBodyPoints = form::kBodyPixels * 0.75;
constexpr double kSmallPoints = form::kSmallPixels * 0.75;

// The next code point of UTF-8 text, or nullopt for a byte that starts no
// valid sequence (which is then skipped alone).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (first < 0x80) {
        ++at;
        return first;
    } else if ((first & 0xE0) == 0xC0) {
        length = 2, value = first & 0x1F, least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3, value = first & 0x0F, least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4, value = first & 0x07, least = 0x10000;
    } else {
        ++at;
        return std::nullopt;
    }
    if (at + length > text.size()) {
        ++at;
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return std::nullopt;
        }
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++at;
        return std::nullopt;
    }
    at += length;
    return value;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The workbook is made in a folder of its own that nobody else can have
// prepared, and removed with everything in it however the save ends.
class PrivateFolder {
public:
    PrivateFolder() {
        static std::atomic<unsigned> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0;; ++attempt) {
            path_ = base / ("veltra-arkusz-" + std::to_string(stamp) + '-' +
                            std::to_string(counter++) + '-' + std::to_string(attempt));
            std::error_code error;
            if (std::filesystem::create_directory(path_, error)) {
                std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::replace, error);
                return;
            }
            if (error || attempt == 100) {
                throw IoFailure(error ? error.message() : "Cannot make a temporary folder");
            }
        }
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct Style {
    static Style Of(const form::Cell& cell) {
        Style style;
        style.fill = cell.fill;
        style.bordered = cell.bordered;
        style.alignment = cell.alignment;
        return style;
    }

    std::uint32_t fill = form::kInputFill;
    bool bordered = false;
    form::Alignment alignment = form::Alignment::Centre;
    bool wrap = true;
    bool bold = false;
    bool italic = false;
    bool small = false;
    std::string_view numberFormat;
    auto Key() const {
        return std::tuple(fill, bordered, alignment, wrap, bold, italic, small, numberFormat);
    }
};

// libxlsxwriter's formats, one for each style used; the workbook owns them.
class Formats {
public:
    explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

    lxw_format* Of(const Style& style) {
        lxw_format*& format = formats_[style.Key()];
        if (format) {
            return format;
        }
        format = workbook_add_format(workbook_);
        format_set_font_size(format, style.small ? kSmallPoints : kBodyPoints);
        if (style.bold) {
            format_set_bold(format);
        }
        if (style.italic) {
            format_set_italic(format);
        }
        if (style.fill != form::kInputFill) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, style.fill);
        }
        if (style.bordered) {
            format_set_border(format, LXW_BORDER_THIN);
            format_set_border_color(format, form::kBorderColour);
        }
        format_set_align(
            format, style.alignment == form::Alignment::Centre ? LXW_ALIGN_CENTER : LXW_ALIGN_LEFT);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        if (style.wrap) {
            format_set_text_wrap(format);
        }
        if (!style.numberFormat.empty()) {
            format_set_num_format(format, std::string(style.numberFormat).c_str());
        }
        return format;
    }

private:
    lxw_workbook* workbook_;
    std::map<decltype(Style{}.Key()), lxw_format*> formats_;
};

class Writer {
public:
    Writer(lxw_workbook* workbook, lxw_worksheet* sheet) : sheet_(sheet), formats_(workbook) {}

    void Check(lxw_error error) {
        if (error != LXW_NO_ERROR && !error_) {
            error_ = error;
        }
    }
    std::optional<lxw_error> error() const { return error_; }

    void Layout() {
        const auto widths = form::ColumnWidths();
        for (std::size_t column = 0; column < widths.size(); ++column) {
            const auto c = static_cast<lxw_col_t>(column);
            Check(worksheet_set_column_pixels(sheet_, c, c,
                                              static_cast<std::uint32_t>(widths[column]), nullptr));
        }
        const auto heights = form::RowHeights();
        for (std::size_t row = 0; row < heights.size(); ++row) {
            Check(worksheet_set_row_pixels(sheet_, static_cast<lxw_row_t>(row),
                                           static_cast<std::uint32_t>(heights[row]), nullptr));
        }
        for (const form::Cell& cell : form::Cells()) {
            BlankFormCell(cell);
        }
    }

    // The style the blank form gives the cell at (column, row), 1-based.
    Style StyleAt(int column, int row) const {
        for (const form::Cell& cell : form::Cells()) {
            const form::Area& a = cell.area;
            if (column >= a.column0 && column <= a.column1 && row >= a.row0 && row <= a.row1) {
                return Style::Of(cell);
            }
        }
        return {};
    }

    void Text(int column, int row, const std::string& text) {
        Check(worksheet_write_string(sheet_, Row(row), Column(column), text.c_str(),
                                     formats_.Of(StyleAt(column, row))));
    }

    void Duration(int column, int row, std::int64_t seconds) {
        Style style = StyleAt(column, row);
        style.numberFormat = "[hh]:mm:ss";
        Check(worksheet_write_number(sheet_, Row(row), Column(column),
                                     static_cast<double>(seconds) / kSecondsPerDay,
                                     formats_.Of(style)));
    }

    void Share(int column, int row, const std::string& formula, double value) {
        Style style = StyleAt(column, row);
        style.numberFormat = "0%";
        Check(worksheet_write_formula_num(sheet_, Row(row), Column(column), formula.c_str(),
                                          formats_.Of(style), value));
    }

private:
    static lxw_row_t Row(int row) { return static_cast<lxw_row_t>(row - 1); }
    static lxw_col_t Column(int column) { return static_cast<lxw_col_t>(column - 1); }

    void BlankFormCell(const form::Cell& cell) {
        const form::Area& a = cell.area;
        const bool merged = a.column0 != a.column1 || a.row0 != a.row1;
        // The title is one line across the sheet, as on the regulator's form.
        const bool title = a.row0 == 1;
        Style style = Style::Of(cell);
        style.wrap = !title;
        lxw_format* format = formats_.Of(style);
        if (merged) {
            Check(worksheet_merge_range(sheet_, Row(a.row0), Column(a.column0), Row(a.row1),
                                        Column(a.column1), "", format));
        } else {
            Check(worksheet_write_blank(sheet_, Row(a.row0), Column(a.column0), format));
        }
        if (cell.paragraphs.empty()) {
            return;
        }
        // Runs in their own styles; a paragraph ends in a line break.
        std::vector<std::string> texts;
        std::vector<lxw_format*> runFormats;
        for (std::size_t p = 0; p < cell.paragraphs.size(); ++p) {
            for (const form::TextRun& run : cell.paragraphs[p]) {
                Style runStyle = style;
                runStyle.bold = run.bold;
                runStyle.italic = run.italic;
                runStyle.small = run.small;
                texts.emplace_back(run.text);
                runFormats.push_back(formats_.Of(runStyle));
            }
            if (p + 1 < cell.paragraphs.size()) {
                texts.back().push_back('\n');
            }
        }
        if (texts.size() == 1) {
            Check(worksheet_write_string(sheet_, Row(a.row0), Column(a.column0), texts[0].c_str(),
                                         runFormats[0]));
            return;
        }
        std::vector<lxw_rich_string_tuple> tuples(texts.size());
        std::vector<lxw_rich_string_tuple*> pointers;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            tuples[i] = {runFormats[i], texts[i].data()};
            pointers.push_back(&tuples[i]);
        }
        pointers.push_back(nullptr);
        Check(worksheet_write_rich_string(sheet_, Row(a.row0), Column(a.column0), pointers.data(),
                                          format));
    }

    lxw_worksheet* sheet_;
    Formats formats_;
    std::optional<lxw_error> error_;
};

std::string ShareFormula(int column, int row) {
    const std::string r = std::to_string(row);
    const std::string polish = "C" + r + "+D" + r + "+E" + r;
    if (column == form::kPolishShareColumn) {
        return "=IF(B" + r + "=0,0,(" + polish + ")/B" + r + ")";
    }
    return "=IF(" + polish + "=0,0,(C" + r + "+D" + r + ")/(" + polish + "))";
}

// Makes the workbook in `file`; the name of libxlsxwriter's failure, if any.
std::optional<std::string> WriteWorkbook(const std::filesystem::path& folder,
                                         const std::filesystem::path& file, const QuarterForm& form,
                                         const FormHeader& header) {
    std::string tmpdir = folder.string();
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(file.string().c_str(), &options);
    if (!workbook) {
        return "Cannot start the workbook";
    }
    const std::string quarterName = std::string(QuarterNumeral(form.quarter.quarter)) +
                                    " kwartał " + std::to_string(form.quarter.year);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, quarterName.c_str());
    Writer writer(workbook, sheet);
    writer.Layout();

    const std::string program = CellText(header.program);
    const std::string licence = CellText(header.licence);
    const std::string person = CellText(header.person);
    for (const auto& [row, text] :
         {std::pair{form::kProgramRow, &program}, std::pair{form::kLicenceRow, &licence},
          std::pair{form::kPersonRow, &person}}) {
        if (!text->empty()) {
            writer.Text(form::kHeaderValueColumn, row, *text);
        }
    }
    for (int index = 0; index < 3; ++index) {
        const int row = form::kFirstMonthRow + index;
        const std::optional<FormRow>& formRow = form.rows[static_cast<std::size_t>(index)];
        if (formRow) {
            writer.Text(form::kMonthColumn, row, MonthName(formRow->month));
            const std::int64_t seconds[] = {formRow->totalSeconds, formRow->dayPolishDebutSeconds,
                                            formRow->dayPolishOtherSeconds,
                                            formRow->nightPolishSeconds};
            for (int i = 0; i < 4; ++i) {
                writer.Duration(form::kTotalColumn + i, row, seconds[i]);
            }
        }
        // An empty month keeps the blank form's formulas, which show 0%.
        writer.Share(form::kPolishShareColumn, row, ShareFormula(form::kPolishShareColumn, row),
                     formRow ? formRow->PolishShare() : 0.0);
        writer.Share(form::kDayPolishShareColumn, row,
                     ShareFormula(form::kDayPolishShareColumn, row),
                     formRow ? formRow->DayPolishShare() : 0.0);
    }

    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, 9);  // A4
    worksheet_fit_to_pages(sheet, 1, 0);
    writer.Check(worksheet_print_area(sheet, 0, 0, form::kLastRow - 1, form::kLastColumn - 1));

    std::string title = "Sprawozdanie kwartalne, " + quarterName;
    std::string subject = "Realizacja art. 15 ust. 2, 2a i 2b ustawy o radiofonii i telewizji";
    std::string author = person.empty() ? std::string("Veltra") : person;
    std::string company = program;
    lxw_doc_properties properties{};
    properties.title = title.data();
    properties.subject = subject.data();
    properties.author = author.data();
    properties.company = company.data();
    writer.Check(workbook_set_properties(workbook, &properties));

    const lxw_error closed = workbook_close(workbook);
    if (writer.error()) {
        return lxw_strerror(*writer.error());
    }
    if (closed != LXW_NO_ERROR) {
        return lxw_strerror(closed);
    }
    return std::nullopt;
}

std::string ReadBack(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in || !bytes) {
        throw IoFailure("Cannot read the workbook back");
    }
    return std::move(bytes).str();
}

}  // namespace

std::string QuarterWorkbookName(QuarterId quarter) {
    return "sprawozdanie-" + std::to_string(quarter.year) + '-' +
           std::string(QuarterNumeral(quarter.quarter)) + "-kwartal.xlsx";
}

std::string CellText(std::string_view text) {
    std::string out;
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = NextCodePoint(text, at).value_or(U'\uFFFD');
        if (c == '\n' || c == '\r' || c == '\t') {
            c = ' ';
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFFFE || c == 0xFFFF) {
            continue;
        }
        units += c >= 0x10000 ? 2 : 1;
        if (units > kMaxCellUnits) {
            break;
        }
        AppendUtf8(out, c);
    }
    return out;
}

void SaveQuarterWorkbook(FileSystem& fileSystem, const std::string& path, SpecialTarget special,
                         const QuarterForm& form, const FormHeader& header) {
    std::string bytes;
    try {
        const PrivateFolder folder;
        const std::filesystem::path file = folder.path() / "arkusz.xlsx";
        if (const std::optional<std::string> failure =
                WriteWorkbook(folder.path(), file, form, header)) {
            throw CannotCreateFile(path, *failure);
        }
        bytes = ReadBack(file);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(path, failure.what());
    } catch (const std::filesystem::filesystem_error& failure) {
        throw CannotCreateFile(path, failure.code().message());
    }
    try {
        const std::unique_ptr<FileReplacement> replacement =
            fileSystem.StartReplacing(path, special);
        replacement->Write(bytes);
        replacement->Commit();
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(path, failure.what());
    }
}

}  // namespace veltra

#include "batch.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <functional>
#include <memory>

#include "text.h"

namespace quorvel::cli {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
static_assert(kBufferSize > 2 * (kMaxBatchLine + 2));

constexpr const char* kNames[] = {"country", "sex", "garment", "size", "shoe"};

// Lines of a source through one fixed buffer: memory stays bounded whatever
// the input holds, and a line's fate does not depend on where it falls in it.
class LineReader {
public:
    enum class Got { Line, TooLong, End, Error };

    // `beforeRead` runs before every read, which may wait.
    LineReader(Source& source, std::function<void()> beforeRead)
        : source_(source), beforeRead_(std::move(beforeRead)), buffer_(new char[kBufferSize])
    {
    }

    // The next line without its LF (or CR LF), a UTF-8 byte-order mark at the
    // start of the input skipped; TooLong skips the rest of a longer one.
    // A line cut short by a read error is no line.
    Got Next(std::string_view& line)
    {
        if (!started_) SkipMark();
        for (;;) {
            if (const char* newline = Find(); newline != nullptr) {
                line = {buffer_.get() + begin_, static_cast<std::size_t>(newline - buffer_.get()) - begin_};
                begin_ = scan_ = static_cast<std::size_t>(newline - buffer_.get()) + 1;
                return Taken(line);
            }
            scan_ = end_;
            if (end_ - begin_ > kMaxBatchLine + 1) {  // too long even if a CR LF follows
                ++number_;
                SkipLine();
                return Got::TooLong;
            }
            if (!Fill()) {
                if (error_ != 0) return Got::Error;
                if (begin_ == end_) return Got::End;
                line = {buffer_.get() + begin_, end_ - begin_};
                begin_ = scan_ = end_;
                return Taken(line);
            }
        }
    }

    // The number of the line Next gave last, from 1.
    unsigned long number() const { return number_; }
    int error() const { return error_; }

private:
    const char* Find() const
    {
        return static_cast<const char*>(std::memchr(buffer_.get() + scan_, '\n', end_ - scan_));
    }

    Got Taken(std::string_view& line)
    {
        ++number_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line.size() > kMaxBatchLine ? Got::TooLong : Got::Line;
    }

    void SkipMark()
    {
        constexpr std::string_view kMark = "\xEF\xBB\xBF";
        started_ = true;
        while (end_ - begin_ < kMark.size() && kMark.starts_with(Pending()) && Fill()) {
        }
        if (Pending().starts_with(kMark)) begin_ = scan_ = begin_ + kMark.size();
    }

    std::string_view Pending() const { return {buffer_.get() + begin_, end_ - begin_}; }

    void SkipLine()
    {
        for (;;) {
            if (const char* newline = Find(); newline != nullptr) {
                begin_ = scan_ = static_cast<std::size_t>(newline - buffer_.get()) + 1;
                return;
            }
            begin_ = scan_ = end_;
            if (!Fill()) return;
        }
    }

    // Moves what is left to the front and reads more behind it.
    bool Fill()
    {
        if (done_) return false;
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        scan_ -= begin_;
        begin_ = 0;
        beforeRead_();
        int error = 0;
        const std::ptrdiff_t got = source_.Read(buffer_.get() + end_, kBufferSize - end_, error);
        if (got > 0) {
            end_ += static_cast<std::size_t>(got);
            return true;
        }
        done_ = true;
        if (got < 0) error_ = error != 0 ? error : EIO;
        return false;
    }

    Source& source_;
    std::function<void()> beforeRead_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0, scan_ = 0, end_ = 0;  // the line starts at begin_; no LF before scan_
    unsigned long number_ = 0;
    bool started_ = false, done_ = false;
    int error_ = 0;
};

// What a message shows of a field: its start, escaped.
std::string Shown(std::string_view field)
{
    constexpr std::size_t kShown = 40;
    std::string shown(1, '\'');
    shown += Printable(field.substr(0, kShown));
    shown += field.size() > kShown ? "'..." : "'";
    return shown;
}

void AppendNumber(std::string& out, unsigned long n)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

bool IsName(std::string_view text, std::string_view name)
{
    if (text.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if ((text[i] >= 'A' && text[i] <= 'Z' ? text[i] + 32 : text[i]) != name[i]) return false;
    return true;
}

// A CSV field, quoted when it must be.
void AppendCsvCell(std::string& out, std::string_view cell)
{
    if (std::ranges::none_of(cell, [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; })) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) (c == '"' ? out += "\"\"" : out += c);
    out += '"';
}

// RFC 4180 ends records with CR LF; on Windows the text-mode output adds the CR.
#ifdef _WIN32
constexpr std::string_view kCsvEnd = "\n";
#else
constexpr std::string_view kCsvEnd = "\r\n";
#endif

class Batch {
public:
    Batch(Console& console, const BatchOptions& options) : console_(console), options_(options), parser_(options)
    {
        answers_.reserve(kBufferSize + 4096);
    }

    int Run(std::span<const std::string_view> files)
    {
        if (options_.header) AppendHeader();
        if (files.empty()) Read(console_.in, {});
        for (std::string_view file : files) {
            if (file == "-") {
                Read(console_.in, "standard input");
            } else {
                int error = 0;
                const std::unique_ptr<Source> source = OpenFile(std::string(file), error);
                if (source) Read(*source, Printable(file));
                else Fail(Printable(file) + ": cannot open: " + SystemError(error));
            }
            if (outputFailed_) break;
        }
        Flush();
        if (outputFailed_) {
            console_.err.Write("quorvel-convert: cannot write the output\n");
            return 2;
        }
        return bad_ ? 2 : missing_ ? 1 : 0;
    }

private:
    // `name` empty: standard input, no file named; messages say "line N".
    void Read(Source& source, const std::string& name)
    {
        LineReader lines(source, [&] {
            // Answers wait in the buffer only while more input is at hand.
            if ((!answers_.empty() || !messages_.empty()) && !source.Ready()) Flush();
        });
        parser_.Reset();
        bool first = true;
        std::string_view line;
        for (;;) {
            const LineReader::Got got = lines.Next(line);
            if (got == LineReader::Got::End) return;
            if (got == LineReader::Got::Error) {
                Fail((name.empty() ? std::string("standard input") : name) + ": cannot read: " + SystemError(lines.error()));
                return;
            }
            if (got == LineReader::Got::Line && line.empty()) continue;
            if (got == LineReader::Got::TooLong) Bad(name, lines.number(), "longer than 4096 bytes");
            else if (!first || !parser_.TakeHeader(line)) Answer(line, name, lines.number());
            first = false;
            if (answers_.size() >= kBufferSize || messages_.size() >= kBufferSize) Flush();
            if (outputFailed_) return;
        }
    }

    void Answer(std::string_view line, const std::string& name, unsigned long number)
    {
        Request request;
        error_.clear();
        if (!parser_.Parse(line, request, error_)) {
            if (!options_.csv && line.find('\t') == std::string_view::npos && line.find(',') != std::string_view::npos)
                error_ += " (fields are separated by tabs unless --csv is given)";
            Bad(name, number, error_);
            return;
        }
        const Converted converted = ConvertRequest(request);
        missing_ = missing_ || !converted.found();
        if (options_.json) {
            AppendJson(answers_, request, converted, number);
            answers_ += '\n';
        } else if (options_.csv) {
            AppendNumber(answers_, number);
            answers_ += converted.found() ? ",0" : ",1";
            for (const auto* row : {&converted.garment, &converted.shoes})
                for (const auto& cell : *row ? (*row)->cells : PanelCells{}) AppendCsvCell(answers_ += ',', cell.value_or(""));
            answers_ += kCsvEnd;
        } else {
            AppendNumber(answers_, number);
            answers_ += converted.found() ? "\t0" : "\t1";
            for (const auto* row : {&converted.garment, &converted.shoes})
                AppendTsvCells(answers_, *row ? (*row)->cells : PanelCells{}, "");
            answers_ += '\n';
        }
    }

    // The output's columns, named as the JSON keys.
    void AppendHeader()
    {
        const char separator = options_.csv ? ',' : '\t';
        answers_ += "line";
        (answers_ += separator) += "status";
        for (std::string_view row : {"garment_", "shoe_"})
            for (int column = 0; column < kColumnCount; ++column)
                ((answers_ += separator) += row) += CountryCode(CountryAtColumn(column));
        answers_ += options_.csv ? kCsvEnd : "\n";
    }

    void Bad(const std::string& name, unsigned long number, std::string_view error)
    {
        messages_ += "quorvel-convert: ";
        if (name.empty()) messages_ += "line ";
        else (messages_ += name) += ':';
        AppendNumber(messages_, number);
        ((messages_ += ": ") += error) += '\n';
        bad_ = true;
    }

    void Fail(const std::string& message)
    {
        ((messages_ += "quorvel-convert: ") += message) += '\n';
        bad_ = true;
    }

    void Flush()
    {
        if (!answers_.empty()) {
            outputFailed_ = outputFailed_ || !console_.out.Write(answers_);
            answers_.clear();
        }
        if (!messages_.empty()) {
            console_.err.Write(messages_);
            messages_.clear();
        }
    }

    Console& console_;
    const BatchOptions& options_;
    LineParser parser_;
    std::string answers_, messages_, error_;
    bool bad_ = false, missing_ = false, outputFailed_ = false;
};

}  // namespace

LineParser::LineParser(const BatchOptions& options) : csv_(options.csv), strict_(options.strict)
{
    Reset();
}

void LineParser::Reset()
{
    for (int i = 0; i < 5; ++i) columns_[i] = i;
    columnCount_ = 5;
    header_ = false;
}

bool LineParser::TakeHeader(std::string_view line)
{
    std::string error;
    if (!Split(line, error)) return false;
    int columns[5];
    bool named[5] = {};
    for (std::size_t i = 0; i < count_; ++i) {
        int c = 0;
        while (c < 5 && !IsName(fields_[i], kNames[c])) ++c;
        if (c == 5 || named[c]) return false;
        named[c] = true;
        columns[i] = c;
    }
    std::copy(columns, columns + count_, columns_);
    columnCount_ = count_;
    header_ = true;
    return true;
}

bool LineParser::Split(std::string_view line, std::string& error)
{
    const char separator = csv_ ? ',' : '\t';
    count_ = 0;
    unquoted_.clear();
    unquoted_.reserve(line.size());  // fields_ keep pointing into it
    for (std::size_t at = 0;;) {
        if (count_ == columnCount_) {
            error = header_ ? "more fields than the header names"
                    : csv_  ? "more than five comma-separated fields"
                            : "more than five tab-separated fields";
            return false;
        }
        const char* name = kNames[columns_[count_]];
        std::string_view& field = fields_[count_++];
        if (csv_ && at < line.size() && line[at] == '"') {
            // A quoted field: "" is a quote, and it ends at the lone quote.
            const std::size_t start = unquoted_.size();
            std::size_t from = at + 1, quote;
            for (;;) {
                quote = line.find('"', from);
                if (quote == std::string_view::npos) {
                    error = std::string(name) + ": a quoted field without its closing quote on the same line";
                    return false;
                }
                if (quote + 1 == line.size() || line[quote + 1] != '"') break;
                unquoted_.append(line, from, quote + 1 - from);
                from = quote + 2;
            }
            if (from == at + 1) {
                field = line.substr(from, quote - from);
            } else {
                unquoted_.append(line, from, quote - from);
                field = std::string_view(unquoted_).substr(start);
            }
            at = quote + 1;
            if (at == line.size()) return true;
            if (line[at] != separator) {
                error = std::string(name) + ": text after the closing quote";
                return false;
            }
            ++at;
            continue;
        }
        const std::size_t stop = line.find(separator, at);
        field = line.substr(at, stop == std::string_view::npos ? std::string_view::npos : stop - at);
        if (csv_ && field.find('"') != std::string_view::npos) {
            error = std::string(name) + " " + Shown(field) + ": a double quote in a field that is not quoted";
            return false;
        }
        if (stop == std::string_view::npos) return true;
        at = stop + 1;
    }
}

bool LineParser::Parse(std::string_view line, Request& request, std::string& error)
{
    if (!Split(line, error)) return false;
    std::string_view value[5];
    bool given[5] = {};
    for (std::size_t i = 0; i < count_; ++i) {
        if (!IsClean(fields_[i])) {
            error = std::string(kNames[columns_[i]]) + " " + Shown(fields_[i]) +
                    ": no control characters, bidirectional controls or invalid UTF-8";
            return false;
        }
        value[columns_[i]] = fields_[i];
        given[columns_[i]] = true;
    }

    request = Request{};
    const auto country = ParseCountry(value[0]);
    const auto sex = ParseSex(value[1]);
    const auto garment = ParseGarment(value[2]);
    if (value[0].empty()) error = "no country";
    else if (!country) error = "unknown country " + Shown(value[0]);
    else if (value[1].empty()) error = "no sex";
    else if (!sex) error = "unknown sex " + Shown(value[1]) + " (man or woman)";
    else if (!value[2].empty() && !garment) error = "unknown garment " + Shown(value[2]) + " (suit, dress, shirt or trousers)";
    if (!error.empty()) return false;

    request.country = *country;
    request.sex = *sex;
    request.garment = garment;
    if (!value[3].empty()) request.size = value[3];
    if (!value[4].empty()) request.shoe = value[4];
    if (const char* refusal = Refusal(request)) error = refusal;
    else if (strict_ && garment && garment != Garment::Trousers && !request.size) error = "no size (--strict)";
    else if (strict_ && given[4] && !request.shoe) error = "no shoe size (--strict)";
    return error.empty();
}

int RunBatch(std::span<const std::string_view> files, Console& console, const BatchOptions& options)
{
    return Batch(console, options).Run(files);
}

}  // namespace quorvel::cli

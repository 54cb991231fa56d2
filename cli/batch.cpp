#include "batch.h"

#include <charconv>
#include <cstring>
#include <memory>

#include "text.h"

namespace quorvel::cli {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
static_assert(kBufferSize > 2 * kMaxBatchLine);

// Lines of a stream through one fixed buffer: memory stays bounded whatever
// the input holds.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in), buffer_(new char[kBufferSize]) {}

    // The next line without its '\n' (and '\r'); `tooLong` when it was cut at
    // kMaxBatchLine and the rest skipped. False at the end of the input.
    bool Next(std::string_view& line, bool& tooLong)
    {
        tooLong = false;
        for (;;) {
            if (const char* newline = Find(); newline != nullptr) {
                line = Take(newline);
                return true;
            }
            if (end_ - begin_ >= kMaxBatchLine) {
                tooLong = true;
                line = {};
                SkipPastNewline();
                return true;
            }
            if (!Fill()) {
                if (begin_ == end_) return false;
                line = Take(buffer_.get() + end_);
                return true;
            }
        }
    }

private:
    const char* Find() const
    {
        return static_cast<const char*>(std::memchr(buffer_.get() + begin_, '\n', end_ - begin_));
    }

    std::string_view Take(const char* stop)
    {
        std::string_view line(buffer_.get() + begin_, static_cast<std::size_t>(stop - (buffer_.get() + begin_)));
        begin_ = std::min(end_, static_cast<std::size_t>(stop - buffer_.get()) + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }

    // Moves what is left to the front and reads more behind it.
    bool Fill()
    {
        if (eof_) return false;
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        std::streambuf* source = in_.rdbuf();
        const std::streamsize got = source ? source->sgetn(buffer_.get() + end_, std::streamsize(kBufferSize - end_)) : 0;
        if (got <= 0) eof_ = true;
        else end_ += static_cast<std::size_t>(got);
        return got > 0;
    }

    void SkipPastNewline()
    {
        for (;;) {
            if (const char* newline = Find(); newline != nullptr) {
                begin_ = static_cast<std::size_t>(newline - buffer_.get()) + 1;
                return;
            }
            begin_ = end_;
            if (!Fill()) return;
        }
    }

    std::istream& in_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
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

}  // namespace

bool ParseBatchLine(std::string_view line, Request& request, std::string& error)
{
    constexpr const char* kNames[] = {"country", "sex", "garment", "size", "shoe"};
    std::string_view fields[5];
    std::size_t count = 0;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find('\t', at);
        if (count == 5) {
            error = "more than five tab-separated fields";
            return false;
        }
        fields[count++] = line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at);
        if (tab == std::string_view::npos) break;
        at = tab + 1;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (!IsClean(fields[i])) {
            error = std::string(kNames[i]) + " " + Shown(fields[i]) +
                    ": no control characters, bidirectional controls or invalid UTF-8";
            return false;
        }

    request = Request{};
    const auto country = ParseCountry(fields[0]);
    const auto sex = ParseSex(fields[1]);
    const auto garment = ParseGarment(fields[2]);
    if (fields[0].empty()) error = "no country";
    else if (!country) error = "unknown country " + Shown(fields[0]);
    else if (fields[1].empty()) error = "no sex";
    else if (!sex) error = "unknown sex " + Shown(fields[1]) + " (man or woman)";
    else if (!fields[2].empty() && !garment) error = "unknown garment " + Shown(fields[2]) + " (suit, dress, shirt or trousers)";
    if (!error.empty()) return false;

    request.country = *country;
    request.sex = *sex;
    request.garment = garment;
    if (!fields[3].empty()) request.size = fields[3];
    if (!fields[4].empty()) request.shoe = fields[4];
    if (const char* refusal = Refusal(request)) {
        error = refusal;
        return false;
    }
    return true;
}

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool json)
{
    LineReader lines(in);
    std::string answer;
    answer.reserve(kBufferSize + 2048);
    std::string error;
    bool bad = false, missing = false;
    unsigned long number = 0;
    std::string_view line;
    bool tooLong = false;
    while (lines.Next(line, tooLong)) {
        ++number;
        if (!tooLong && line.empty()) continue;
        Request request;
        error.clear();
        if (tooLong) error = "longer than " + std::to_string(kMaxBatchLine) + " bytes";
        if (tooLong || !ParseBatchLine(line, request, error)) {
            bad = true;
            err << "quorvel-convert: line " << number << ": " << error << '\n';
            continue;
        }
        const Converted converted = ConvertRequest(request);
        missing = missing || !converted.found();
        if (json) {
            AppendJson(answer, request, converted, number);
        } else {
            AppendNumber(answer, number);
            answer += converted.found() ? "\t0" : "\t1";
            for (const auto* row : {&converted.garment, &converted.shoes})
                AppendTsvCells(answer, *row ? (*row)->cells : PanelCells{}, "");
        }
        answer += '\n';
        if (answer.size() >= kBufferSize) {
            out.write(answer.data(), std::streamsize(answer.size()));
            answer.clear();
            if (!out) break;  // a reader that went away wants no more
        }
    }
    out.write(answer.data(), std::streamsize(answer.size()));
    if (!out.flush()) {
        err << "quorvel-convert: cannot write the output\n";
        return 2;
    }
    return bad ? 2 : missing ? 1 : 0;
}

}  // namespace quorvel::cli

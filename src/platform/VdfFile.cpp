#include "platform/VdfFile.h"

#include <optional>

#include "platform/AsciiText.h"

namespace zpk::platform {

namespace {

enum class TokenKind { Text, Open, Close, End, Bad };

struct Token {
  TokenKind kind;
  std::string text;
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  Token Next() {
    for (;;) {
      SkipBlanksAndComments();
      if (pos_ >= text_.size()) return {TokenKind::End, {}};
      const char c = text_[pos_];
      if (c == '[') {  // a platform condition such as [$WIN32] belongs to the value before it
        const auto close = text_.find(']', pos_);
        if (close == std::string_view::npos) return {TokenKind::Bad, {}};
        pos_ = close + 1;
        continue;
      }
      if (c == '{') return ++pos_, Token{TokenKind::Open, {}};
      if (c == '}') return ++pos_, Token{TokenKind::Close, {}};
      if (c == '"') return Quoted();
      return Bare();
    }
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  void SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
      if (IsBlank(text_[pos_])) {
        ++pos_;
      } else if (text_.substr(pos_).starts_with("//")) {
        const auto end = text_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else {
        return;
      }
    }
  }

  Token Quoted() {
    std::string out;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      const char c = text_[pos_];
      if (c == '"') return ++pos_, Token{TokenKind::Text, std::move(out)};
      if (c == '\\' && pos_ + 1 < text_.size()) {
        const char e = text_[++pos_];
        out += e == 'n' ? '\n' : e == 't' ? '\t' : e;  // \\ and \" stand for themselves
        continue;
      }
      out += c;
    }
    return {TokenKind::Bad, {}};  // the file ends inside the quotes
  }

  Token Bare() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsBlank(text_[pos_]) && text_[pos_] != '"' &&
           text_[pos_] != '{' && text_[pos_] != '}') {
      ++pos_;
    }
    return {TokenKind::Text, std::string(text_.substr(start, pos_ - start))};
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Reads pairs into out until the closing brace (depth > 0) or the end of the text (depth
// 0). False when the text went wrong; what was read stays in out.
bool ReadPairs(Tokenizer& tokens, std::vector<VdfPair>& out, int depth) {
  for (;;) {
    Token key = tokens.Next();
    if (key.kind == TokenKind::End) return depth == 0;
    if (key.kind == TokenKind::Close) return depth > 0;
    if (key.kind != TokenKind::Text) return false;
    Token value = tokens.Next();
    VdfPair pair;
    pair.key = std::move(key.text);
    if (value.kind == TokenKind::Text) {
      pair.text = std::move(value.text);
      out.push_back(std::move(pair));
      continue;
    }
    if (value.kind != TokenKind::Open || depth + 1 >= kVdfMaxDepth) return false;
    pair.isBlock = true;
    const bool closed = ReadPairs(tokens, pair.children, depth + 1);
    out.push_back(std::move(pair));
    if (!closed) return false;
  }
}

}  // namespace

const VdfPair* VdfPair::Find(std::string_view childKey) const {
  for (const VdfPair& child : children) {
    if (EqualIgnoringAsciiCase(child.key, childKey)) return &child;
  }
  return nullptr;
}

std::vector<VdfPair> ParseVdf(std::string_view text) {
  Tokenizer tokens(text);
  std::vector<VdfPair> pairs;
  ReadPairs(tokens, pairs, 0);
  return pairs;
}

}  // namespace zpk::platform

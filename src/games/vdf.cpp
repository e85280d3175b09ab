#include "games/vdf.h"

namespace skyloom {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

enum class Token { String, Open, Close, End, Bad };

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // Reads the keys of one block up to its closing brace (or the end, at the top level).
    bool block(VdfNode& into, std::size_t depth) {
        if (depth > kVdfMaxDepth) return false;
        while (true) {
            std::string key;
            const Token t = next(key);
            if (t == Token::End) return depth == 0;
            if (t == Token::Close) return depth > 0;
            if (t != Token::String) return false;
            if (++nodes_ > kVdfMaxNodes) return false;
            VdfNode node;
            node.key = std::move(key);
            const Token v = next(node.value);
            if (v == Token::Open) {
                node.block = true;
                if (!block(node, depth + 1)) return false;
            } else if (v != Token::String) {
                return false;
            }
            into.children.push_back(std::move(node));
        }
    }

private:
    void skipBlanksAndComments() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else if (c == '[') {
                // A platform condition such as [$WIN32] belongs to the key before it.
                const std::size_t close = text_.find(']', pos_);
                pos_ = close == std::string_view::npos ? text_.size() : close + 1;
            } else {
                return;
            }
        }
    }

    Token next(std::string& out) {
        skipBlanksAndComments();
        if (pos_ >= text_.size()) return Token::End;
        const char c = text_[pos_];
        if (c == '{') return ++pos_, Token::Open;
        if (c == '}') return ++pos_, Token::Close;
        if (c == '"') return quoted(out);
        while (pos_ < text_.size()) {
            const char d = text_[pos_];
            if (d == ' ' || d == '\t' || d == '\r' || d == '\n' || d == '"' || d == '{' || d == '}')
                break;
            out += d;
            ++pos_;
        }
        return Token::String;
    }

    Token quoted(std::string& out) {
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') return Token::String;
            if (c == '\\' && pos_ < text_.size()) {
                const char e = text_[pos_++];
                switch (e) {
                    case 'n':
                        out += '\n';
                        break;
                    case 't':
                        out += '\t';
                        break;
                    case '\\':
                    case '"':
                        out += e;
                        break;
                    default:
                        out += '\\', out += e;
                }
                continue;
            }
            out += c;
        }
        return Token::Bad;  // no closing quote
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t nodes_ = 0;
};

}  // namespace

const VdfNode* VdfNode::find(std::string_view name) const {
    for (const VdfNode& child : children)
        if (sameKey(child.key, name)) return &child;
    return nullptr;
}

std::optional<VdfNode> parseVdf(std::string_view text) {
    if (text.size() > kVdfMaxBytes) return std::nullopt;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // saved by a Windows editor
    VdfNode root;
    root.block = true;
    if (!Reader(text).block(root, 0)) return std::nullopt;
    return root;
}

}  // namespace skyloom

#pragma once

#include "ledger/file_error.h"
#include "ledger/statement_reader.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The automatic categories of statement rows and the statement layouts the
// import remembers, in one file of the data folder: code page 932 and CR LF
// like every other file, so it is read and written by the same reader and
// writer (undecodable bytes kept, atomic saves, backups) and opens in the
// same editor. One record a line, fields separated by tabs:
//   ルール <text> <category 1..30> <wallet 0..14 or empty>
//   形式 <layout id> <date> <description> <amount> <out> <in> <wallet> <flip>
// (columns 1-based, empty when none). A line that is neither is reported
// and written back unchanged.
namespace kanvelo {

inline const QString kRulesFile = QStringLiteral("自動分類.txt");

struct CategoryRule {
    QString text; // found in the description, ignoring case and full/half-width
    int himoku_no = 0;
    int saifu_no = -1; // -1: the wallet chosen for the file
    bool operator==(const CategoryRule&) const = default;
};

struct ImportLayout {
    QString id;                              // layout_id of the statement's layout key
    std::optional<StatementColumns> columns; // chosen by the user; none: by the header's names
    int saifu_no = 0;
    bool flip = false; // money in and out the other way round than the file has it
    bool operator==(const ImportLayout&) const = default;
};

struct CategoryRules {
    std::vector<CategoryRule> rules; // in order: the first that matches wins
    std::vector<ImportLayout> layouts;
    QStringList kept; // damaged lines as they were read, written back after the rest

    const ImportLayout* layout(const QString& id) const;
    void remember(const ImportLayout& layout);
    bool operator==(const CategoryRules&) const = default;
};

// A short, storable name for a statement's layout key.
QString layout_id(const QString& layout_key);

struct CategoryRulesRead {
    CategoryRules rules;
    ReadReport report; // a missing file is no error: there are no rules yet
};
CategoryRulesRead read_category_rules(const QString& path);
QStringList category_rules_lines(const CategoryRules& rules);
WriteResult write_category_rules(const QString& path, const CategoryRules& rules);

// The rules with their texts folded once, for matching many descriptions.
class RuleMatcher {
public:
    explicit RuleMatcher(const std::vector<CategoryRule>& rules);
    // The first rule whose text the description contains; nullptr when none.
    const CategoryRule* match(const QString& description) const;

private:
    const std::vector<CategoryRule>& rules_;
    std::vector<QString> folded_;
    // The rules by the first character of their text, in order: a rule is
    // tried only when the description holds that character.
    QHash<char16_t, std::vector<int>> by_first_;
};

} // namespace kanvelo

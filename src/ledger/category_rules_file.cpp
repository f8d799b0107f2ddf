#include "ledger/category_rules_file.h"

#include "ledger/guards.h"
#include "ledger/line_file.h"
#include "ledger/search.h"

#include <QCryptographicHash>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kRuleTag = u"ルール"_s;
const QString kLayoutTag = u"形式"_s;

QString column_text(int c) {
    return c < 0 ? QString() : QString::number(c + 1);
}

// A column field: empty for none, else 1..999; nullopt when damaged.
std::optional<int> column_of(const QString& field) {
    if (field.trimmed().isEmpty())
        return -1;
    const auto n = whole_number_in(field, 1, 999);
    return n ? std::optional<int>(*n - 1) : std::nullopt;
}

std::optional<CategoryRule> parse_rule(const QStringList& f) {
    if (f.size() != 4 || f.at(1).trimmed().isEmpty())
        return std::nullopt;
    const auto himoku = himoku_slot(f.at(2));
    if (!himoku)
        return std::nullopt;
    CategoryRule r{f.at(1), *himoku + 1, -1};
    if (!f.at(3).trimmed().isEmpty()) {
        const auto saifu = saifu_slot(f.at(3));
        if (!saifu)
            return std::nullopt;
        r.saifu_no = *saifu;
    }
    return r;
}

std::optional<ImportLayout> parse_layout(const QStringList& f) {
    if (f.size() != 9 || f.at(1).isEmpty())
        return std::nullopt;
    std::array<int, 5> c{};
    bool any = false;
    for (int i = 0; i < 5; ++i) {
        const auto col = column_of(f.at(2 + i));
        if (!col)
            return std::nullopt;
        c[i] = *col;
        any = any || *col >= 0;
    }
    const auto saifu = saifu_slot(f.at(7));
    const auto flip = whole_number_in(f.at(8), 0, 1);
    if (!saifu || !flip)
        return std::nullopt;
    ImportLayout l{f.at(1), std::nullopt, *saifu, *flip == 1};
    if (any)
        l.columns = StatementColumns{c[0], c[1], c[2], c[3], c[4]};
    return l;
}

} // namespace

const ImportLayout* CategoryRules::layout(const QString& id) const {
    for (const ImportLayout& l : layouts) {
        if (l.id == id)
            return &l;
    }
    return nullptr;
}

void CategoryRules::remember(const ImportLayout& layout) {
    for (ImportLayout& l : layouts) {
        if (l.id == layout.id) {
            l = layout;
            return;
        }
    }
    layouts.push_back(layout);
}

QString layout_id(const QString& layout_key) {
    const QByteArray hash = QCryptographicHash::hash(layout_key.toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex().left(16));
}

CategoryRulesRead read_category_rules(const QString& path) {
    CategoryRulesRead out;
    LineFile file = read_line_file(path, Watch::Yes);
    out.report.missing = file.missing;
    out.report.unreadable = file.unreadable;
    out.report.errors = file.errors;
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString& line = file.lines.at(i);
        const QStringList f = line.split(u'\t');
        if (f.first() == kRuleTag) {
            if (auto r = parse_rule(f)) {
                out.rules.rules.push_back(*r);
                continue;
            }
        } else if (f.first() == kLayoutTag) {
            if (auto l = parse_layout(f)) {
                out.rules.remember(*l);
                continue;
            }
        } else if (line.isEmpty()) {
            continue;
        }
        out.rules.kept << line;
        out.report.errors.push_back({path, i + 1, u"この行は読めないため、そのまま残します"_s});
    }
    return out;
}

QStringList category_rules_lines(const CategoryRules& rules) {
    QStringList out;
    for (const CategoryRule& r : rules.rules)
        out << QStringList{kRuleTag, r.text, QString::number(r.himoku_no),
                           r.saifu_no < 0 ? QString() : QString::number(r.saifu_no)}
                   .join(u'\t');
    for (const ImportLayout& l : rules.layouts) {
        const StatementColumns c = l.columns.value_or(StatementColumns{});
        out << QStringList{kLayoutTag,
                           l.id,
                           column_text(c.date),
                           column_text(c.description),
                           column_text(c.amount),
                           column_text(c.out),
                           column_text(c.in),
                           QString::number(l.saifu_no),
                           l.flip ? u"1"_s : u"0"_s}
                   .join(u'\t');
    }
    out << rules.kept;
    return out;
}

WriteResult write_category_rules(const QString& path, const CategoryRules& rules) {
    return write_line_file(path, category_rules_lines(rules));
}

RuleMatcher::RuleMatcher(const std::vector<CategoryRule>& rules) : rules_(rules) {
    folded_.reserve(rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        folded_.push_back(search_fold(rules[i].text.trimmed()));
        if (!folded_.back().isEmpty())
            by_first_[folded_.back().front().unicode()].push_back(int(i));
    }
}

const CategoryRule* RuleMatcher::match(const QString& description) const {
    const QString text = search_fold(description);
    int best = -1;
    for (const QChar c : text) {
        const auto it = by_first_.constFind(c.unicode());
        if (it == by_first_.constEnd())
            continue;
        for (const int i : *it) {
            if (best >= 0 && i >= best)
                break;
            if (text.contains(folded_[i]))
                best = i;
        }
    }
    return best < 0 ? nullptr : &rules_[best];
}

} // namespace kanvelo

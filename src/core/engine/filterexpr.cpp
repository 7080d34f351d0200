#include "core/engine/filterexpr.h"

#include "core/engine/fieldvalue.h"
#include "core/engine/sqldialect.h"

namespace vidoraw {

namespace {

constexpr int kMaxDepth = 64;

enum class Tok { End, LParen, RParen, Name, Text, Number, Op, And, Or, Not };

struct Token {
    Tok kind = Tok::End;
    QString text; // name, text contents, number text, operator
    int pos = 0;  // 1-based
};

class Parser {
public:
    Parser(const QString& src, const FieldDefs& fields, const SqlDialect& dialect,
           CompiledFilter& out)
        : src_(src), fields_(fields), d_(dialect), out_(out) {}

    bool run(QString* error) {
        if (!advance())
            return report(error);
        if (tok_.kind == Tok::End) {
            err_ = QStringLiteral("Filter je prázdny.");
            return report(error);
        }
        QString sql;
        if (!parseOr(sql, 0))
            return report(error);
        if (tok_.kind != Tok::End) {
            fail(tok_.pos, tok_.kind == Tok::RParen
                               ? QStringLiteral("nadbytočná pravá zátvorka")
                               : QStringLiteral("očakáva sa \"and\", \"or\" alebo koniec"));
            return report(error);
        }
        out_.sql = sql;
        return true;
    }

private:
    bool report(QString* error) {
        if (error)
            *error = err_;
        return false;
    }

    bool fail(int pos, const QString& what) {
        if (err_.isEmpty())
            err_ = QStringLiteral("Chybný filter (znak %1): %2.").arg(pos).arg(what);
        return false;
    }

    bool advance() {
        while (i_ < src_.size() && src_[i_].isSpace())
            ++i_;
        tok_ = Token{};
        tok_.pos = int(i_) + 1;
        if (i_ >= src_.size()) {
            tok_.kind = Tok::End;
            return true;
        }
        const QChar c = src_[i_];
        if (c == '(') {
            tok_.kind = Tok::LParen;
            ++i_;
            return true;
        }
        if (c == ')') {
            tok_.kind = Tok::RParen;
            ++i_;
            return true;
        }
        if (c == '\'') {
            QString s;
            ++i_;
            for (;;) {
                if (i_ >= src_.size())
                    return fail(tok_.pos, QStringLiteral("text v apostrofoch nie je ukončený"));
                if (src_[i_] == '\'') {
                    if (i_ + 1 < src_.size() && src_[i_ + 1] == '\'') {
                        s += '\'';
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    break;
                }
                s += src_[i_++];
            }
            tok_.kind = Tok::Text;
            tok_.text = s;
            return true;
        }
        if (c == '"') {
            QString s;
            ++i_;
            while (i_ < src_.size() && src_[i_] != '"')
                s += src_[i_++];
            if (i_ >= src_.size())
                return fail(tok_.pos, QStringLiteral("meno poľa v úvodzovkách nie je ukončené"));
            ++i_;
            tok_.kind = Tok::Name;
            tok_.text = s;
            return true;
        }
        if (c == '=' || c == '<' || c == '>') {
            QString op(c);
            ++i_;
            if (i_ < src_.size() && ((c == '<' && (src_[i_] == '>' || src_[i_] == '=')) ||
                                     (c == '>' && src_[i_] == '='))) {
                op += src_[i_];
                ++i_;
            }
            tok_.kind = Tok::Op;
            tok_.text = op;
            return true;
        }
        if (c.isDigit() || ((c == '-' || c == '+') && i_ + 1 < src_.size() &&
                            (src_[i_ + 1].isDigit()))) {
            QString s(c);
            ++i_;
            bool sep = false;
            while (i_ < src_.size()) {
                const QChar d = src_[i_];
                if (d.isDigit()) {
                    s += d;
                } else if ((d == '.' || d == ',') && !sep && i_ + 1 < src_.size() &&
                           src_[i_ + 1].isDigit()) {
                    s += '.';
                    sep = true;
                } else {
                    break;
                }
                ++i_;
            }
            if (i_ < src_.size() && (src_[i_].isLetter() || src_[i_] == '_'))
                return fail(int(i_) + 1, QStringLiteral("nesprávne číslo"));
            tok_.kind = Tok::Number;
            tok_.text = s;
            return true;
        }
        if (c.isLetter() || c == '_') {
            QString s;
            while (i_ < src_.size() && (src_[i_].isLetterOrNumber() || src_[i_] == '_'))
                s += src_[i_++];
            const QString low = s.toLower();
            tok_.kind = low == "and" ? Tok::And
                        : low == "or" ? Tok::Or
                        : low == "not" ? Tok::Not
                                       : Tok::Name;
            tok_.text = s;
            return true;
        }
        return fail(tok_.pos, QStringLiteral("neočakávaný znak \"%1\"").arg(c));
    }

    bool parseOr(QString& sql, int depth) {
        if (!parseAnd(sql, depth))
            return false;
        while (tok_.kind == Tok::Or) {
            if (!advance())
                return false;
            QString rhs;
            if (!parseAnd(rhs, depth))
                return false;
            sql = QStringLiteral("(%1 OR %2)").arg(sql, rhs);
        }
        return true;
    }

    bool parseAnd(QString& sql, int depth) {
        if (!parseFactor(sql, depth))
            return false;
        while (tok_.kind == Tok::And) {
            if (!advance())
                return false;
            QString rhs;
            if (!parseFactor(rhs, depth))
                return false;
            sql = QStringLiteral("(%1 AND %2)").arg(sql, rhs);
        }
        return true;
    }

    bool parseFactor(QString& sql, int depth) {
        if (depth > kMaxDepth)
            return fail(tok_.pos, QStringLiteral("príliš veľa vnorených zátvoriek"));
        if (tok_.kind == Tok::Not) {
            if (!advance())
                return false;
            QString inner;
            if (!parseFactor(inner, depth + 1))
                return false;
            // Comparisons with a blank are false, so their negation must be true.
            sql = d_.notOrBlank(inner);
            return true;
        }
        if (tok_.kind == Tok::LParen) {
            const int open = tok_.pos;
            if (!advance())
                return false;
            if (!parseOr(sql, depth + 1))
                return false;
            if (tok_.kind != Tok::RParen)
                return fail(tok_.kind == Tok::End ? open : tok_.pos,
                            QStringLiteral("chýba pravá zátvorka"));
            sql = '(' + sql + ')';
            return advance();
        }
        return parseComparison(sql);
    }

    struct Operand {
        Tok kind = Tok::End;
        QString text;
        int pos = 0;
        int field = -1;
    };

    bool parseOperand(Operand& o) {
        o.kind = tok_.kind;
        o.text = tok_.text;
        o.pos = tok_.pos;
        switch (tok_.kind) {
        case Tok::Name:
            o.field = FindField(fields_, tok_.text);
            if (o.field < 0)
                return fail(tok_.pos, QStringLiteral("neznáme pole \"%1\"").arg(tok_.text));
            if (fields_[o.field].type == 'U' || fields_[o.field].type == 'M')
                return fail(tok_.pos,
                            QStringLiteral("pole \"%1\" sa nedá porovnávať").arg(tok_.text));
            break;
        case Tok::Text:
        case Tok::Number:
            break;
        case Tok::End:
            return fail(tok_.pos, QStringLiteral("neočakávaný koniec filtra"));
        default:
            return fail(tok_.pos, QStringLiteral("očakáva sa pole alebo hodnota"));
        }
        return advance();
    }

    static QString flip(const QString& op) {
        if (op == "<")
            return ">";
        if (op == ">")
            return "<";
        if (op == "<=")
            return ">=";
        if (op == ">=")
            return "<=";
        return op;
    }

    bool parseComparison(QString& sql) {
        Operand lhs, rhs;
        if (!parseOperand(lhs))
            return false;
        if (tok_.kind != Tok::Op)
            return fail(tok_.pos,
                        QStringLiteral("očakáva sa porovnanie (=, <>, >, >=, <, <=)"));
        QString op = tok_.text;
        const int opPos = tok_.pos;
        if (!advance())
            return false;
        if (!parseOperand(rhs))
            return false;
        if (lhs.field < 0 && rhs.field < 0)
            return fail(opPos, QStringLiteral("porovnanie musí obsahovať pole"));
        if (lhs.field < 0) {
            std::swap(lhs, rhs);
            op = flip(op);
        }
        const FieldDef& f = fields_[lhs.field];
        if (!out_.fields.contains(f.name, Qt::CaseInsensitive))
            out_.fields << f.name;
        const QString col = d_.quoteName(f.name.toUpper());
        const QString sqlOp = op == "<>" ? QStringLiteral("<>") : op;

        if (rhs.field >= 0) {
            const FieldDef& g = fields_[rhs.field];
            if (f.isText() != g.isText() || (f.type == 'D') != (g.type == 'D'))
                return fail(opPos, QStringLiteral("polia %1 a %2 sú rôzneho typu")
                                       .arg(f.name, g.name));
            if (!out_.fields.contains(g.name, Qt::CaseInsensitive))
                out_.fields << g.name;
            const QString col2 = d_.quoteName(g.name.toUpper());
            sql = f.isText() ? QStringLiteral("%1 %2 %3")
                                   .arg(d_.collated(QStringLiteral("COALESCE(%1,'')").arg(col),
                                                    false),
                                        sqlOp, QStringLiteral("COALESCE(%1,'')").arg(col2))
                             : QStringLiteral("%1 %2 %3").arg(col, sqlOp, col2);
            return true;
        }

        if (f.isText()) {
            QString value = rhs.text;
            const QString blankSafe = QStringLiteral("COALESCE(%1,'')").arg(col);
            if ((op == "=" || op == "<>") && value.endsWith('*')) {
                // Trailing asterisk: compare the beginning only.
                value.chop(1);
                sql = QStringLiteral("%1 %2 ?").arg(
                    d_.collated(d_.prefix(blankSafe, int(value.size())), false), sqlOp);
            } else {
                sql = QStringLiteral("%1 %2 ?").arg(d_.collated(blankSafe, false), sqlOp);
            }
            out_.binds << value;
            return true;
        }

        if (rhs.kind == Tok::Text && rhs.text.trimmed().isEmpty()) {
            if (op == "=")
                sql = QStringLiteral("%1 IS NULL").arg(col);
            else if (op == "<>")
                sql = QStringLiteral("%1 IS NOT NULL").arg(col);
            else
                return fail(rhs.pos, QStringLiteral("prázdnu hodnotu možno len porovnať "
                                                    "operátorom = alebo <>"));
            return true;
        }

        QVariant converted;
        QString why;
        QVariant input = rhs.text;
        if (f.type == 'D' && rhs.kind == Tok::Number)
            return fail(rhs.pos, QStringLiteral("dátum sa píše v apostrofoch ('dd.mm.rrrr')"));
        if (!ConvertToField(f, input, converted, &why))
            return fail(rhs.pos, QStringLiteral("hodnota %1 nezodpovedá typu poľa %2")
                                     .arg(rhs.kind == Tok::Text ? '\'' + rhs.text + '\''
                                                                : rhs.text,
                                          f.name));
        sql = QStringLiteral("%1 %2 ?").arg(col, sqlOp);
        out_.binds << ToStorage(f, converted);
        return true;
    }

    const QString& src_;
    const FieldDefs& fields_;
    const SqlDialect& d_;
    CompiledFilter& out_;
    qsizetype i_ = 0;
    Token tok_;
    QString err_;
};

} // namespace

bool CompileFilter(const QString& expression, const FieldDefs& fields, const SqlDialect& dialect,
                   CompiledFilter& out, QString* error) {
    CompiledFilter result;
    Parser p(expression, fields, dialect, result);
    if (!p.run(error))
        return false;
    out = result;
    return true;
}

} // namespace vidoraw

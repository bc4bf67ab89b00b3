#include <set>

#include "platform/ComponentText.hpp"
#include "platform/KelMessages.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {

namespace {

/// A string between single quotes, a quote doubled, control characters as #code.
std::string QuoteString(const std::string& Value) {
    std::string text;
    bool open = false;
    for (const char c : Value) {
        const auto code = static_cast<unsigned char>(c);
        if (code < ' ' || code == 127) {
            if (open)
                text += '\'';
            open = false;
            text += '#' + std::to_string(code);
            continue;
        }
        if (!open)
            text += '\'';
        open = true;
        text += c;
        if (c == '\'')
            text += '\'';
    }
    if (open || text.empty())
        text += open ? "'" : "''";
    return text;
}

class TComponentWriter {
public:
    explicit TComponentWriter(const TComponent& Root) { CollectTree(Root); }

    std::string Write(const TComponent& Root) {
        WriteObject(Root);
        return std::move(FText);
    }

private:
    void CollectTree(const TComponent& Component) {
        FTree.insert(&Component);
        for (int i = 0; i < Component.GetComponentCount(); ++i)
            CollectTree(*Component.GetComponent(i));
    }

    static const TRegisteredClass& ClassOf(const TObject& Object) {
        const TRegisteredClass* found = GetClassRegistry().Find(Object.ClassName());
        if (found == nullptr)
            throw EWriteError(SClassNotStorable, Object.ClassName());
        return *found;
    }

    void Line(const std::string& Text) {
        FText.append(static_cast<std::size_t>(FIndent) * 2, ' ');
        FText += Text;
        FText += '\n';
    }

    void WriteObject(const TComponent& Component) {
        const TRegisteredClass& registered = ClassOf(Component);
        const std::string& name = Component.GetName();
        Line("object " + (name.empty() ? std::string(":") : name + ":") + " " + registered.Name);
        ++FIndent;
        WriteProperties(Component, registered);
        for (int i = 0; i < Component.GetComponentCount(); ++i)
            WriteObject(*Component.GetComponent(i));
        --FIndent;
        Line("end");
    }

    /// Owner names the owned object being written ("Items."), or is empty.
    void WriteProperties(const TObject& Object, const TRegisteredClass& Class,
                         const std::string& Owner = {}) {
        for (const TPropertyInfo& property : Class.Properties)
            if (property.Stored)
                WriteProperty(Object, property, Owner);
    }

    void WriteProperty(const TObject& Object, const TPropertyInfo& Property,
                       const std::string& Owner) {
        const std::string prefix = Owner + Property.Name + " = ";
        switch (Property.Kind) {
        case TPropertyKind::pkObject:
            if (const TPersistent* owned = Property.GetObject(Object))
                WriteProperties(*owned, ClassOf(*owned), Owner + Property.Name + ".");
            break;
        case TPropertyKind::pkLines:
            if (const TStringList* lines = Property.GetLines(Object))
                WriteLines(prefix, *lines);
            break;
        case TPropertyKind::pkCollection:
            WriteCollection(prefix, *Property.GetCollection(Object));
            break;
        case TPropertyKind::pkComponent:
            if (const TComponent* linked = Property.GetComponent(Object))
                Line(prefix + LinkName(*linked, Property));
            break;
        case TPropertyKind::pkEvent: {
            const std::string* handler = Property.GetHandlerName(Object);
            if (handler == nullptr)
                throw EWriteError(SHandlerWithoutName, Property.Name);
            if (!handler->empty())
                Line(prefix + *handler);
            break;
        }
        default: {
            const std::string value = Property.GetText(Object);
            if (Property.Default && *Property.Default == value)
                break;
            Line(prefix + (Property.Kind == TPropertyKind::pkString ? QuoteString(value) : value));
        }
        }
    }

    std::string LinkName(const TComponent& Linked, const TPropertyInfo& Property) const {
        if (!FTree.contains(&Linked) || Linked.GetName().empty())
            throw EWriteError(SLinkOutsideTree, Property.Name);
        return Linked.GetName();
    }

    void WriteLines(const std::string& Prefix, const TStringList& Lines) {
        if (Lines.GetCount() == 0)
            return;
        Line(Prefix + "(");
        ++FIndent;
        for (int i = 0; i < Lines.GetCount(); ++i)
            Line(QuoteString(Lines[i]) + (i + 1 == Lines.GetCount() ? ")" : ""));
        --FIndent;
    }

    void WriteCollection(const std::string& Prefix, const TCollection& Collection) {
        if (Collection.GetCount() == 0) {
            Line(Prefix + "<>");
            return;
        }
        Line(Prefix + "<");
        ++FIndent;
        for (int i = 0; i < Collection.GetCount(); ++i) {
            const TCollectionItem* item = Collection.GetItem(i);
            Line("item");
            ++FIndent;
            WriteProperties(*item, ClassOf(*item));
            --FIndent;
            Line(i + 1 == Collection.GetCount() ? "end>" : "end");
        }
        --FIndent;
    }

    std::set<const TComponent*> FTree;
    std::string FText;
    int FIndent = 0;
};

} // namespace

std::string WriteComponent(const TComponent& Root) {
    return TComponentWriter(Root).Write(Root);
}

} // namespace fuzzy

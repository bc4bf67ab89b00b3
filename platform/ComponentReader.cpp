#include <map>

#include "platform/ComponentText.hpp"
#include "platform/ComponentTextSyntax.hpp"
#include "platform/Format.hpp"
#include "platform/KelMessages.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {

EReadError::EReadError(int Line, const std::string& Property, const std::string& Message)
    : Exception(Property.empty() ? Format(SReadErrorAtLine, Line, Message)
                                 : Format(SReadErrorAtProperty, Line, Property, Message)),
      FLine(Line), FProperty(std::make_shared<const std::string>(Property)) {}

namespace {

/// Builds the objects of a parsed text. Components are made in the loading state; the
/// root, held by the caller's unique_ptr from its creation on, owns everything made after
/// it, so an error anywhere frees the whole tree.
class TComponentReader {
public:
    explicit TComponentReader(const TEventHandlers& Handlers) : FHandlers(Handlers) {}

    std::unique_ptr<TComponent> Read(const TTextObject& Root) {
        std::unique_ptr<TComponent> root(Create(Root, nullptr));
        ReadComponent(*root, Root);
        ResolveLinks();
        EndLoading();
        return root;
    }

private:
    struct TPendingLink {
        TObject* Object;
        const TPropertyInfo* Property;
        std::string Target;
        int Line;
        std::string Path;
    };
    struct TLoadingComponent {
        TComponent* Component;
        int Line;
        std::string Path;
    };

    std::string Path() const { return JoinPropertyPath(FPath); }

    /// Runs Step, turning any library error into an EReadError at Line.
    template <class Step>
    void AtLine(int Line, Step&& Action) {
        try {
            Action();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& error) {
            throw EReadError(Line, Path(), error.what());
        }
    }

    TComponent* Create(const TTextObject& Object, TComponent* Owner) {
        const TRegisteredClass* registered = GetClassRegistry().Find(Object.ClassName);
        FPath.push_back(Object.Name.empty() ? Object.ClassName : Object.Name);
        if (registered == nullptr || !registered->Create)
            throw EReadError(Object.Line, Path(),
                             Format(registered == nullptr ? SUnknownClass : SClassNotCreatable,
                                    Object.ClassName));
        if (!Object.Name.empty() && !FNames.emplace(Object.Name, nullptr).second)
            throw EReadError(Object.Line, Path(), Format(SDuplicateComponentName, Object.Name));
        TComponent* component = nullptr;
        AtLine(Object.Line, [&] { component = registered->Create(Owner); });
        component->BeginLoading();
        component->SetName(Object.Name);
        if (!Object.Name.empty())
            FNames[Object.Name] = component;
        return component;
    }

    /// Reads a component made by Create, then its children; leaves the component's path.
    void ReadComponent(TComponent& Component, const TTextObject& Object) {
        ReadProperties(Component, Object.Properties);
        for (const TTextObject& child : Object.Children)
            ReadComponent(*Create(child, &Component), child);
        FLoading.push_back({&Component, Object.Line, Path()});
        FPath.pop_back();
    }

    /// Sets the properties given in the text, in the order the class declares them. A
    /// name Owned.Property sets Property of the owned object Owned.
    void ReadProperties(TObject& Object, const std::vector<TTextProperty>& Properties) {
        const TRegisteredClass* registered = GetClassRegistry().Find(Object.ClassName());
        std::map<std::string_view, const TTextProperty*> given;
        std::map<std::string, std::vector<TTextProperty>, std::less<>> owned;
        for (const TTextProperty& property : Properties) {
            FPath.push_back(property.Name);
            const std::size_t dot = property.Name.find('.');
            const std::string_view name = std::string_view(property.Name).substr(0, dot);
            const TPropertyInfo* info = registered ? registered->FindProperty(name) : nullptr;
            if (info == nullptr ||
                (dot != std::string::npos) != (info->Kind == TPropertyKind::pkObject))
                throw EReadError(property.Line, Path(), SUnknownProperty);
            if (dot != std::string::npos) {
                TTextProperty inner = property;
                inner.Name.erase(0, dot + 1);
                owned[std::string(name)].push_back(std::move(inner));
            } else if (!given.emplace(property.Name, &property).second) {
                throw EReadError(property.Line, Path(), SPropertyGivenTwice);
            }
            FPath.pop_back();
        }
        if (registered == nullptr)
            return;
        for (const TPropertyInfo& info : registered->Properties) {
            FPath.push_back(info.Name);
            if (const auto found = given.find(info.Name); found != given.end())
                ReadProperty(Object, info, *found->second);
            else if (const auto inner = owned.find(info.Name); inner != owned.end())
                ReadProperties(*info.EditObject(Object), inner->second);
            FPath.pop_back();
        }
    }

    void ReadProperty(TObject& Object, const TPropertyInfo& Info, const TTextProperty& Property) {
        const TTextValue& value = Property.Value;
        using TForm = TTextValue::TForm;
        const auto expect = [&](bool Fits, const char* What) {
            if (!Fits)
                throw EReadError(Property.Line, Path(), Format(SExpectedValue, What));
        };
        switch (Info.Kind) {
        case TPropertyKind::pkLines: {
            expect(value.Form == TForm::vfLines, "a list of strings");
            TStringList lines;
            for (const std::string& line : value.Lines)
                lines.Add(line);
            AtLine(Property.Line, [&] { Info.SetLines(Object, lines); });
            break;
        }
        case TPropertyKind::pkCollection:
            expect(value.Form == TForm::vfItems, "a list of items");
            AtLine(Property.Line, [&] { ReadCollection(*Info.EditCollection(Object), value); });
            break;
        case TPropertyKind::pkComponent:
            expect(value.Form == TForm::vfWord, "a component name");
            FLinks.push_back({&Object, &Info, value.Text, Property.Line, Path()});
            break;
        case TPropertyKind::pkEvent:
            expect(value.Form == TForm::vfWord, "an event handler name");
            AtLine(Property.Line, [&] { Info.SetHandler(Object, FHandlers, value.Text); });
            break;
        default:
            expect(value.Form == TForm::vfWord || value.Form == TForm::vfString, "a value");
            AtLine(Property.Line, [&] {
                Info.SetText(Object, {value.Text, value.Form == TForm::vfString});
            });
        }
    }

    void ReadCollection(TCollection& Collection, const TTextValue& Value) {
        TUpdateGuard guard(Collection);
        Collection.Clear();
        for (std::size_t i = 0; i < Value.Items.size(); ++i) {
            FPath.push_back(ItemPathPart(i));
            TCollectionItem* item = nullptr;
            AtLine(Value.Items[i].Line, [&] { item = Collection.Add(); });
            ReadProperties(*item, Value.Items[i].Properties);
            FPath.pop_back();
        }
    }

    void ResolveLinks() {
        for (const TPendingLink& link : FLinks) {
            const auto found = FNames.find(link.Target);
            if (found == FNames.end())
                throw EReadError(link.Line, link.Path, Format(SUnknownComponent, link.Target));
            try {
                link.Property->SetComponent(*link.Object, found->second);
            } catch (const Exception& error) {
                throw EReadError(link.Line, link.Path, error.what());
            }
        }
    }

    /// Ends the loading state of every component, owned ones before their owner, each
    /// running its Loaded.
    void EndLoading() {
        for (const TLoadingComponent& loading : FLoading) {
            try {
                loading.Component->EndLoading();
            } catch (const Exception& error) {
                throw EReadError(loading.Line, loading.Path, error.what());
            }
        }
    }

    const TEventHandlers& FHandlers;
    std::vector<std::string> FPath;
    std::map<std::string, TComponent*, std::less<>> FNames;
    std::vector<TPendingLink> FLinks;
    std::vector<TLoadingComponent> FLoading;
};

} // namespace

std::unique_ptr<TComponent> ReadComponent(const std::string& Text, const TEventHandlers& Handlers) {
    const TTextObject root = ParseComponentText(Text);
    return TComponentReader(Handlers).Read(root);
}

} // namespace fuzzy

#pragma once
// Named event handlers, the way stored components refer to their event handlers.
//
// An event property holds a std::function, which cannot say which handler it holds. A
// host that stores components therefore registers its handlers by name and assigns the
// functions this table hands back; those remember their name, so the writer can store it
// and the reader can find the handler again.

#include <any>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace fuzzy {

/// A handler that knows the name it was registered under.
template <class Signature>
struct TNamedHandler {
    std::string Name;
    std::function<Signature> Handler;

    template <class... Args>
    decltype(auto) operator()(Args&&... args) const {
        return Handler(std::forward<Args>(args)...);
    }
};

/// The name of the registered handler an event holds: empty when the event is unassigned,
/// nullptr when it holds a function that was not handed out by a TEventHandlers.
template <class Signature>
const std::string* GetHandlerName(const std::function<Signature>& Event) {
    static const std::string unassigned;
    if (!Event)
        return &unassigned;
    const auto* named = Event.template target<TNamedHandler<Signature>>();
    return named != nullptr ? &named->Name : nullptr;
}

/// Handlers by name, each of one event signature.
class TEventHandlers {
public:
    /// Registers Handler as Name (replacing an earlier one) and returns the function to
    /// assign to event properties.
    template <class Signature>
    std::function<Signature> Add(const std::string& Name, std::function<Signature> Handler) {
        std::function<Signature> named = TNamedHandler<Signature>{Name, std::move(Handler)};
        FHandlers[Name] = named;
        return named;
    }

    /// True when a handler of that name is registered, whatever its signature.
    bool Contains(const std::string& Name) const { return FHandlers.contains(Name); }

    /// The handler registered as Name when it has this signature, else nullptr.
    template <class Signature>
    const std::function<Signature>* Find(const std::string& Name) const {
        const auto found = FHandlers.find(Name);
        return found == FHandlers.end() ? nullptr
                                        : std::any_cast<std::function<Signature>>(&found->second);
    }

private:
    std::map<std::string, std::any, std::less<>> FHandlers;
};

} // namespace fuzzy

#pragma once
// Storing component trees as readable text and reading them back.
//
//   object Logic: TFuzzyLogic
//     Threshold = 0.05
//     Parser = Parser
//     Items = <
//       item
//         Name = 'temperature'
//       end>
//     OnChange = LogicChanged
//     object Parser: TKelFuzzyLogicParser
//       FuzzyLogic = Logic
//     end
//   end
//
// Each component is an `object Name: ClassName ... end` block holding its published
// properties (Properties.hpp), one `Property = value` line each, in declared order, and
// then the components it owns. Values: numbers as the fewest digits that read back
// exactly, True / False, enumerations by name, strings between single quotes (a quote
// doubled, control characters as #code: 'a'#10'b'), string lists as ( 'line' 'line' ),
// collections as < item ... end item ... end >, links by component name, events by the
// name of their handler. Properties equal to their stored default are left out.
//
// Reading follows the loading protocol of components: every component read is in the
// loading state while its properties are set (in declared order, whatever the order of
// the text); links are resolved once the whole tree is read; then each component's
// loading state ends and its Loaded runs, owned components before their owner.

#include <memory>
#include <string>

#include "platform/Component.hpp"
#include "platform/EventHandlers.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

/// A component tree could not be written: a class not registered, a link to a component
/// outside the tree, or an event handler without a registered name.
FUZZY_DECLARE_EXCEPTION(EWriteError, Exception);

/// A text could not be read. The message names the line and the property (or component)
/// where reading stopped: "Line 12, Logic.Items[0].Minimum: Invalid floating value: x".
class EReadError : public Exception {
public:
    EReadError(int Line, const std::string& Property, const std::string& Message);
    int GetLine() const { return FLine; }
    const std::string& GetProperty() const { return *FProperty; }

private:
    int FLine;
    std::shared_ptr<const std::string> FProperty; // shared, so that copies never throw
};

static_assert(std::is_nothrow_copy_constructible_v<EReadError>);

/// The text of Root and the components it owns. Raises EWriteError.
[[nodiscard]] std::string WriteComponent(const TComponent& Root);

/// Creates the component tree Text describes; the caller owns the root. Event handlers are
/// looked up by name in Handlers. Raises EReadError for text that does not read (unknown
/// class, property or handler, a value of the wrong type, truncated text, a duplicate
/// component name, a link to a missing component, an error of a setter or of Loaded);
/// then nothing read is left behind.
[[nodiscard]] std::unique_ptr<TComponent> ReadComponent(const std::string& Text,
                                                        const TEventHandlers& Handlers = {});

} // namespace fuzzy

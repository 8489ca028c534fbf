// Work on many elements of a page in one call: a walk that finds elements
// and reads them, and clicks on many elements. Joins the page access
// library (page-access.js, which runs first in the same script), in the
// automation's own script world.
(function () {
    'use strict';
    const access = window.ferrowenPageAccess;
    if (!access || access.walks)
        return;
    access.walks = true;

    access.extend(({ fail, remember, recall, findForm, frameDocument, readers }) => {
        function readerOf(property) {
            const reader = readers[property];
            if (!reader)
                fail('unknown property ' + property);
            return reader;
        }

        // Where a walk looks. A class the elements must have in full comes
        // straight from the document's own index of classes, in document
        // order, rather than from a visit of every element.
        function scopeOf({ form, selector, frames, conditions }) {
            const root = frames.length > 0 ? frameDocument(frames) : document;
            if (form)
                return findForm(form, root).elements;
            if (selector) {
                try {
                    return root.querySelectorAll(selector);
                } catch (error) {
                    fail('"' + selector + '" is no selector');
                }
            }
            const byClass = conditions.find(c => c.equal && c.property === 'className' && c.value.trim() !== '');
            return byClass ? root.getElementsByClassName(byClass.value) : root.getElementsByTagName('*');
        }

        return {
            walk(request) {
                const tests = request.conditions.map(c => ({ read: readerOf(c.property), value: c.value, equal: c.equal }));
                const reads = request.read.map(readerOf);
                const meets = element => tests.every(t => (String(t.read(element)) === t.value) === t.equal);
                const found = element => ({ ref: remember(element), values: reads.map(read => read(element)) });
                const scope = scopeOf(request);
                if (request.lastOnly) {
                    for (let i = scope.length - 1; i >= 0; --i) {
                        if (meets(scope[i]))
                            return [found(scope[i])];
                    }
                    return [];
                }
                const answer = [];
                for (const element of scope) {
                    if (meets(element))
                        answer.push(found(element));
                }
                return answer;
            },
            // Each element's own click, as the user's: its default action
            // and the page's listeners run. All are found before the first
            // click, so a document loaded since gets none.
            clickEach({ refs }) {
                const elements = refs.map(recall);
                for (const element of elements) {
                    // An element of a frame is of its frame's own kind.
                    const view = element.ownerDocument.defaultView;
                    if (!view || !(element instanceof view.HTMLElement))
                        fail('<' + element.localName + '> cannot be clicked');
                }
                elements.forEach(element => HTMLElement.prototype.click.call(element));
                return elements.length;
            },
        };
    });
})();

// The automation's view of a loaded document. Installed in the automation's
// own script world, so the page's scripts can neither see nor replace it.
// Every answer is a JSON envelope {ok, value, error}.
(function () {
    'use strict';
    if (window.ferrowenPageAccess)
        return;

    function randomToken() {
        const bytes = new Uint8Array(16);
        crypto.getRandomValues(bytes);
        return Array.from(bytes, byte => byte.toString(16).padStart(2, '0')).join('');
    }

    // Elements handed out so far. The token tells this document from any
    // other that was loaded in the pane before.
    const registry = { token: randomToken(), elements: [], indexes: new Map() };

    class LookupError extends Error {}

    function fail(message) {
        throw new LookupError(message);
    }

    function remember(element) {
        let index = registry.indexes.get(element);
        if (index === undefined) {
            index = registry.elements.length;
            registry.elements.push(element);
            registry.indexes.set(element, index);
        }
        return { document: registry.token, index: index };
    }

    function recall(ref) {
        if (!ref || ref.document !== registry.token)
            fail('the element belongs to a document that is no longer loaded');
        const element = registry.elements[ref.index];
        if (!element)
            fail('unknown element reference');
        return element;
    }

    function withCrLf(text) {
        return text.replace(/\r\n|\r|\n/g, '\r\n');
    }

    // --- Rendered text -----------------------------------------------------

    const replacedElements = new Set([
        'img', 'input', 'select', 'textarea', 'button', 'iframe', 'video', 'audio',
        'canvas', 'svg', 'object', 'embed', 'hr', 'meter', 'progress',
    ]);

    function startsBlock(element) {
        const display = getComputedStyle(element).display;
        return !display.startsWith('inline') && display !== 'contents' && display !== 'none';
    }

    function hasVisibleText(textNode) {
        if (/[^ \t\n\r\f]/.test(textNode.data))
            return true;
        const parent = textNode.parentElement;
        return textNode.data.length > 0 && parent !== null
            && getComputedStyle(parent).whiteSpace.startsWith('pre');
    }

    // Walks from a <br> forwards or backwards to the nearest rendered thing
    // on the same line: 'content' when text, another break or an object is
    // met, 'boundary' when a block starts or ends first.
    function neighbourOf(br, forward) {
        const sibling = node => (forward ? node.nextSibling : node.previousSibling);
        const child = node => (forward ? node.firstChild : node.lastChild);
        let node = br;
        let enter = false;
        for (;;) {
            if (enter && child(node)) {
                node = child(node);
            } else {
                while (!sibling(node)) {
                    node = node.parentNode;
                    if (!node || node === document.body || node.nodeType !== Node.ELEMENT_NODE
                        || startsBlock(node))
                        return 'boundary';
                }
                node = sibling(node);
            }
            enter = false;
            if (node.nodeType === Node.TEXT_NODE) {
                if (hasVisibleText(node))
                    return 'content';
                continue;
            }
            if (node.nodeType !== Node.ELEMENT_NODE)
                continue;
            const display = getComputedStyle(node).display;
            if (display === 'none')
                continue;
            if (startsBlock(node))
                return 'boundary';
            if (node.localName === 'br' || replacedElements.has(node.localName))
                return 'content';
            enter = true;
        }
    }

    // A <br> right before a block boundary adds no line on screen, yet
    // innerText counts one for it. Such a break that ends a line of text is
    // hidden for the reading; one that stands alone on its line keeps the
    // line, which a placeholder character holds while the break is hidden.
    const placeholder = '\uFDD0';

    function renderedText(element) {
        if (!element)
            return '';
        const surplus = Array.from(element.getElementsByTagName('br'))
            .filter(br => neighbourOf(br, true) === 'boundary');
        const lonely = surplus.filter(br => neighbourOf(br, false) === 'boundary');
        const savedStyles = surplus.map(br => br.getAttribute('style'));
        const holders = lonely.map(br => br.parentNode.insertBefore(document.createTextNode(placeholder), br));
        surplus.forEach(br => br.style.setProperty('display', 'none', 'important'));
        try {
            return withCrLf(element.innerText.split(placeholder).join(''));
        } finally {
            holders.forEach(holder => holder.remove());
            surplus.forEach((br, i) => {
                if (savedStyles[i] === null)
                    br.removeAttribute('style');
                else
                    br.setAttribute('style', savedStyles[i]);
            });
        }
    }

    // --- Lookups -----------------------------------------------------------

    // The provider pages were written for lookups that ignore case: when no
    // name matches exactly, compare the name and id without regard to case.
    function matchesLoosely(element, wanted) {
        const name = element.getAttribute('name');
        return (name !== null && name.toLowerCase() === wanted)
            || (element.id !== '' && element.id.toLowerCase() === wanted);
    }

    function firstOf(found) {
        return found instanceof RadioNodeList ? found[0] : found;
    }

    function findForm(name, inDocument = document) {
        if (name === '')
            fail('no form name given');
        const exact = inDocument.forms.namedItem(name);
        if (exact)
            return exact;
        const wanted = name.toLowerCase();
        for (const form of inDocument.forms) {
            if (matchesLoosely(form, wanted))
                return form;
        }
        fail('no form named "' + name + '"');
    }

    function findField(form, name) {
        if (name === '')
            fail('no field name given');
        const exact = form.elements.namedItem(name);
        if (exact)
            return firstOf(exact);
        const wanted = name.toLowerCase();
        for (const element of form.elements) {
            if (matchesLoosely(element, wanted))
                return element;
        }
        fail('form "' + form.getAttribute('name') + '" has no field named "' + name + '"');
    }

    // document.form.field: the window's named members reach forms by name.
    function findNamedForm(name) {
        const member = name === '' ? undefined : window[name];
        if (member instanceof HTMLFormElement)
            return member;
        if (member instanceof HTMLCollection) {
            const form = Array.from(member).find(item => item instanceof HTMLFormElement);
            if (form)
                return form;
        }
        return findForm(name);
    }

    function findNamedField(form, name) {
        const member = name === '' ? undefined : form[name];
        if (member instanceof RadioNodeList || (member instanceof Element && member.form === form))
            return firstOf(member);
        return findField(form, name);
    }

    // The document shown in nested frames: names lists the frame elements
    // (by name or id) from the outermost in. Only frames of the page's own
    // site can be read.
    function frameDocument(names) {
        let current = document;
        for (const name of names) {
            const frames = Array.from(current.querySelectorAll('iframe, frame'));
            const wanted = String(name).toLowerCase();
            const frame = frames.find(f => f.getAttribute('name') === name || f.id === name)
                || frames.find(f => matchesLoosely(f, wanted));
            if (!frame)
                fail('no frame named "' + name + '"');
            let inner = null;
            try {
                inner = frame.contentDocument;
            } catch (error) {
                inner = null;
            }
            if (!inner)
                fail('the frame "' + name + '" cannot be read');
            current = inner;
        }
        return current;
    }

    const textInputTypes = new Set(['text', 'search', 'url', 'email', 'tel', '']);

    function isTextField(element) {
        return element !== null && (element.localName === 'textarea'
            || (element.localName === 'input' && textInputTypes.has(element.type)));
    }

    // The text field with the focus, following the focus into frames.
    function focusedField() {
        let current = document;
        for (;;) {
            const active = current.activeElement;
            if (active && (active.localName === 'iframe' || active.localName === 'frame')) {
                let inner = null;
                try {
                    inner = active.contentDocument;
                } catch (error) {
                    inner = null;
                }
                if (!inner)
                    return null;
                current = inner;
                continue;
            }
            return isTextField(active) ? active : null;
        }
    }

    function textField(ref) {
        const element = recall(ref);
        if (!isTextField(element))
            fail('<' + element.localName + '> is not a text field');
        return element;
    }

    // --- What the user typed ----------------------------------------------

    // Elements the user has typed into (or pasted into) since the program
    // last wrote them. Only the browser makes trusted input events: neither
    // the page's scripts nor the program's writes count as typing.
    const typedInto = new Set();
    document.addEventListener('input', event => {
        if (event.isTrusted && event.target instanceof Element)
            typedInto.add(event.target);
    }, true);

    function textOf(element) {
        if ('value' in element && (element.localName === 'input' || element.localName === 'textarea'))
            return String(element.value);
        return element.isContentEditable ? element.innerText : '';
    }

    function typedFields() {
        return Array.from(typedInto)
            .filter(element => element.isConnected && textOf(element).trim() !== '')
            .map(element => element.getAttribute('name') || element.id || element.localName);
    }

    // A target of writeAll: a field of a form (by the form's elements, or
    // as document.form.field), or an element by id; null when it is missing.
    function locate(target) {
        const lookups = {
            formField: () => findField(findForm(target.form), target.field),
            namedFormField: () => findNamedField(findNamedForm(target.form), target.field),
            elementById: () => document.getElementById(target.id) || document.getElementsByName(target.id)[0] || null,
        };
        const lookup = lookups[target.kind];
        if (!lookup)
            fail('unknown target ' + target.kind);
        try {
            return lookup();
        } catch (error) {
            if (error instanceof LookupError)
                return null;
            throw error;
        }
    }

    function describe(target) {
        return target.kind === 'elementById' ? 'element "' + target.id + '"'
                                             : 'field "' + target.field + '" in form "' + target.form + '"';
    }

    // --- Properties --------------------------------------------------------

    function announce(element) {
        element.dispatchEvent(new Event('input', { bubbles: true }));
        element.dispatchEvent(new Event('change', { bubbles: true }));
    }

    const readers = {
        value: element => (element.value === undefined || element.value === null ? '' : String(element.value)),
        innerText: element => renderedText(element),
        innerHTML: element => element.innerHTML,
        className: element => element.getAttribute('class') || '',
        name: element => element.getAttribute('name') || '',
        type: element => (typeof element.type === 'string' ? element.type : ''),
        checked: element => element.checked === true,
    };

    const writers = {
        value(element, value) {
            if (!('value' in element))
                fail('<' + element.localName + '> has no value');
            element.value = String(value);
            announce(element);
        },
        innerHTML(element, value) {
            element.innerHTML = String(value);
            // A textarea shows its value, and its value is what is posted.
            if (element instanceof HTMLTextAreaElement)
                element.value = element.textContent;
            announce(element);
        },
        checked(element, value) {
            if (!('checked' in element))
                fail('<' + element.localName + '> cannot be checked');
            const checked = value === true;
            if (element.checked === checked)
                return;
            element.checked = checked;
            announce(element);
        },
    };

    // --- Operations --------------------------------------------------------

    const operations = {
        bodyText: () => renderedText(document.body),
        elementById({ id }) {
            const element = document.getElementById(id) || document.getElementsByName(id)[0];
            if (!element)
                fail('no element with id or name "' + id + '"');
            return remember(element);
        },
        formField: ({ form, field }) => remember(findField(findForm(form), field)),
        namedFormField: ({ form, field }) => remember(findNamedField(findNamedForm(form), field)),
        formElementCount: ({ form }) => findForm(form).elements.length,
        read({ ref, property }) {
            const reader = readers[property];
            if (!reader)
                fail('unknown property ' + property);
            return reader(recall(ref));
        },
        write({ ref, property, value }) {
            const writer = writers[property];
            if (!writer)
                fail('property ' + property + ' cannot be written');
            writer(recall(ref), value);
            return null;
        },
        frameLocation: ({ frames }) => frameDocument(frames).URL,
        frameFormField: ({ frames, form, field }) => remember(findField(findForm(form, frameDocument(frames)), field)),
        selectedFieldText() {
            const field = focusedField();
            if (!field || field.selectionStart === null || field.selectionStart === field.selectionEnd)
                return { ref: null, start: 0, end: 0, text: '' };
            const start = field.selectionStart;
            const end = field.selectionEnd;
            return { ref: remember(field), start: start, end: end, text: field.value.slice(start, end) };
        },
        selectFieldText({ ref, start, end }) {
            const field = textField(ref);
            field.focus();
            field.setSelectionRange(start, end);
            return null;
        },
        replaceFieldText({ ref, start, end, expected, replacement }) {
            const field = textField(ref);
            if (field.value.slice(start, end) !== expected)
                return false;
            field.setRangeText(replacement, start, end, 'end');
            announce(field);
            return true;
        },
        // The element's own click: its default action and every listener of
        // the page run as for a click of the user.
        click({ ref }) {
            const element = recall(ref);
            if (!(element instanceof HTMLElement))
                fail('<' + element.localName + '> cannot be clicked');
            HTMLElement.prototype.click.call(element);
            return null;
        },
        typedFields: () => typedFields(),
        // Several writes in one call: every place is found before anything
        // is written, so a missing one leaves the page as it was. A write
        // goes to the first of its targets the page has; an optional write
        // with none is skipped. What is written this way replaces what the
        // user typed there, unless keepTyped asks to write nothing then.
        // ifPresent: a required place that is missing answers null, not
        // an error; nothing is written either way.
        writeAll({ writes, keepTyped, ifPresent }) {
            const places = [];
            for (const write of writes) {
                let place = null;
                for (const target of write.targets) {
                    const element = locate(target);
                    if (element) {
                        place = { element: element, property: target.property };
                        break;
                    }
                }
                if (!place && !write.optional) {
                    if (ifPresent)
                        return null;
                    fail('the page has no ' + describe(write.targets[0]));
                }
                places.push(place);
            }
            const overTyped = (place, i) => place && !writes[i].keepsText && typedInto.has(place.element)
                && textOf(place.element).trim() !== '';
            if (keepTyped && places.some(overTyped))
                return false;
            writes.forEach((write, i) => {
                const place = places[i];
                if (!place)
                    return;
                const writer = writers[place.property];
                if (!writer)
                    fail('property ' + place.property + ' cannot be written');
                writer(place.element, write.value);
                if (!write.keepsText)
                    typedInto.delete(place.element);
            });
            return true;
        },
        submitForm({ form, actionSuffix }) {
            const found = findForm(form);
            if (actionSuffix)
                found.setAttribute('action', found.action + actionSuffix);
            if (window.ferrowenFormCapture)
                window.ferrowenFormCapture.report(found);
            // The prototype's submit: a field named "submit" hides the method.
            HTMLFormElement.prototype.submit.call(found);
            return null;
        },
    };

    window.ferrowenPageAccess = {
        // The walks over many elements (page-walks.js) join the operations
        // here, with the lookups they share and the elements handed out.
        extend(makeOperations) {
            Object.assign(operations, makeOperations({ fail, remember, recall, findForm, frameDocument, readers }));
        },
        operations,
        expected: LookupError,
    };
})();

// The editor's document: its commands and their states, the text of the
// body with one offset model, selections, markers and the replacement of
// the whole document. Installed in the editor's own script world; the
// edited page itself runs no scripts. Every answer is a JSON envelope
// {ok, value, error}. Notifications go to the view through the console,
// marked with a token the page never sees.
(function (channelToken) {
    'use strict';
    if (window.ferrowenEditor)
        return;

    class EditorError extends Error {}

    function fail(message) {
        throw new EditorError(message);
    }

    function notify(what) {
        console.log(channelToken + what);
    }

    function ensureEditable() {
        if (document.designMode !== 'on')
            document.designMode = 'on';
    }

    // --- The body's text ---------------------------------------------------
    //
    // One model for every offset: the characters of the text nodes as they
    // are, one "\n" for each line break, one U+FFFC for each picture, rule
    // or form control. A block boundary owes a break, given once content
    // follows (never at the very start); a <br> owes one that is given even
    // there. A <br> that only ends its block adds nothing, as on screen.

    const blockNames = new Set([
        'address', 'article', 'aside', 'blockquote', 'body', 'caption', 'center', 'dd', 'div', 'dl', 'dt',
        'fieldset', 'figcaption', 'figure', 'footer', 'form', 'h1', 'h2', 'h3', 'h4', 'h5', 'h6', 'header',
        'li', 'main', 'nav', 'ol', 'p', 'pre', 'section', 'table', 'tbody', 'td', 'tfoot', 'th', 'thead',
        'tr', 'ul',
    ]);
    const objectNames = new Set([
        'img', 'hr', 'input', 'select', 'textarea', 'button', 'iframe', 'object', 'embed', 'video',
        'audio', 'canvas', 'svg',
    ]);
    const skippedNames = new Set(['script', 'style', 'head', 'title', 'noscript', 'template']);
    const controlNames = new Set(['img', 'table', 'hr']);
    const objectCharacter = '\uFFFC';

    // Whether a block edge (or a line break) lies next to node on one side:
    // the edge of an inline element is not one, so its neighbours count.
    function blockEdgeBeside(node, side) {
        let current = node;
        while (!current[side]) {
            current = current.parentElement;
            if (!current || blockNames.has(current.localName))
                return true;
        }
        const sibling = current[side];
        return sibling.nodeType === Node.ELEMENT_NODE
            && (blockNames.has(sibling.localName) || sibling.localName === 'br');
    }

    // Whitespace that only separates blocks in the source shows nothing.
    // Whitespace between words separates them, also when an inline element
    // holds it alone (the engine writes a pasted tab as a span of its own).
    function isLayoutWhitespace(node) {
        if (/[^ \t\n\r\f]/.test(node.data))
            return false;
        const parent = node.parentElement;
        if (parent && parent.closest('pre'))
            return false;
        return blockEdgeBeside(node, 'previousSibling') && blockEdgeBeside(node, 'nextSibling');
    }

    function bodyModel() {
        const list = [];
        let length = 0;
        let owed = 0; // 0 nothing, 1 a block boundary, 2 a line break
        function settle(anchor) {
            if (owed === 2 || (owed === 1 && length > 0)) {
                list.push({ kind: 'break', anchor: anchor, start: length });
                length += 1;
            }
            owed = 0;
        }
        function walk(parent) {
            for (let child = parent.firstChild; child; child = child.nextSibling) {
                if (child.nodeType === Node.TEXT_NODE) {
                    if (child.data.length === 0 || isLayoutWhitespace(child))
                        continue;
                    settle(child);
                    list.push({ kind: 'text', node: child, start: length });
                    length += child.data.length;
                } else if (child.nodeType === Node.ELEMENT_NODE) {
                    const name = child.localName;
                    if (skippedNames.has(name))
                        continue;
                    if (name === 'br') {
                        settle(child);
                        owed = 2;
                    } else if (objectNames.has(name)) {
                        if (name === 'hr' && owed === 0)
                            owed = 1;
                        settle(child);
                        list.push({ kind: 'object', node: child, start: length });
                        length += 1;
                        if (name === 'hr')
                            owed = 1;
                    } else {
                        const block = blockNames.has(name);
                        if (block && owed === 0)
                            owed = 1;
                        walk(child);
                        if (block && owed === 0)
                            owed = 1;
                    }
                }
            }
        }
        if (document.body)
            walk(document.body);
        return { list: list, length: length };
    }

    // The text of start to end alone, without building the whole text.
    function textBetween(model, start, end) {
        let text = '';
        for (const segment of model.list) {
            const piece = segment.kind === 'text' ? segment.node.data
                : (segment.kind === 'break' ? '\n' : objectCharacter);
            const from = Math.max(start - segment.start, 0);
            const to = Math.min(end - segment.start, piece.length);
            if (from < to)
                text += piece.slice(from, to);
            if (segment.start + piece.length >= end)
                break;
        }
        return text;
    }

    function modelText(model) {
        let text = '';
        for (const segment of model.list) {
            if (segment.kind === 'text')
                text += segment.node.data;
            else if (segment.kind === 'break')
                text += '\n';
            else
                text += objectCharacter;
        }
        return text;
    }

    function indexIn(node) {
        return Array.prototype.indexOf.call(node.parentNode.childNodes, node);
    }

    function pointBefore(node) {
        return node.nodeType === Node.TEXT_NODE ? [node, 0] : [node.parentNode, indexIn(node)];
    }

    // The DOM position of a body offset. Where a text ends and something
    // else begins at the same offset, a range starts in the later one
    // (inside its element, or right before a picture) and ends in the
    // earlier one.
    function pointAt(model, offset, isStart) {
        let endOfText = null;
        for (const segment of model.list) {
            if (endOfText) {
                if (segment.start === offset && segment.kind === 'text')
                    return [segment.node, 0];
                if (segment.start === offset && segment.kind === 'object')
                    return pointBefore(segment.node);
                return endOfText;
            }
            if (segment.kind === 'text') {
                const end = segment.start + segment.node.data.length;
                if (offset < segment.start || offset > end)
                    continue;
                if (offset < end || !isStart)
                    return [segment.node, offset - segment.start];
                endOfText = [segment.node, offset - segment.start];
            } else if (segment.kind === 'object') {
                if (offset === segment.start)
                    return pointBefore(segment.node);
                if (offset === segment.start + 1)
                    return [segment.node.parentNode, indexIn(segment.node) + 1];
            } else if (offset === segment.start + 1 || (offset === segment.start && segment.start === 0)) {
                return pointBefore(segment.anchor);
            }
        }
        return endOfText || [document.body, document.body.childNodes.length];
    }

    // Sign of (the point at node/offset) minus (the point at other).
    function compare(node, offset, other) {
        const range = document.createRange();
        range.setStart(other[0], other[1]);
        return range.comparePoint(node, offset);
    }

    // The body offset of a DOM position.
    function offsetOf(model, node, offset) {
        for (const segment of model.list) {
            if (segment.kind === 'text') {
                if (segment.node === node)
                    return segment.start + Math.min(offset, segment.node.data.length);
                if (compare(node, offset, pointBefore(segment.node)) <= 0)
                    return segment.start;
            } else if (segment.kind === 'object') {
                if (compare(node, offset, pointBefore(segment.node)) <= 0)
                    return segment.start;
            } else if (compare(node, offset, pointBefore(segment.anchor)) < 0) {
                return segment.start;
            }
        }
        return model.length;
    }

    function rangeOf(model, start, end) {
        if (!Number.isInteger(start) || !Number.isInteger(end) || start < 0 || end < start)
            fail('not a range: ' + start + ' to ' + end);
        const range = document.createRange();
        const from = pointAt(model, start, true);
        const to = pointAt(model, end, start === end);
        range.setStart(from[0], from[1]);
        range.setEnd(to[0], to[1]);
        return range;
    }

    function htmlOf(range) {
        const holder = document.createElement('div');
        holder.appendChild(range.cloneContents());
        return holder.innerHTML;
    }

    // --- The selection ------------------------------------------------------

    function currentRange() {
        const selection = getSelection();
        if (!document.body || selection.rangeCount === 0)
            return null;
        const range = selection.getRangeAt(0);
        const holder = range.commonAncestorContainer;
        if (holder !== document.body && !document.body.contains(holder))
            return null;
        return range;
    }

    // The picture, table or rule a range covers and nothing else (the
    // empty ends of texts around it do not count).
    function controlOf(range) {
        if (!range || range.collapsed)
            return null;
        const content = Array.from(range.cloneContents().childNodes)
            .filter(node => !(node.nodeType === Node.TEXT_NODE && node.data === ''));
        if (content.length !== 1 || content[0].nodeType !== Node.ELEMENT_NODE
            || !controlNames.has(content[0].localName))
            return null;
        let holder = range.commonAncestorContainer;
        if (holder.nodeType !== Node.ELEMENT_NODE)
            holder = holder.parentNode;
        const inside = node => range.isPointInRange(node.parentNode, indexIn(node))
            && range.isPointInRange(node.parentNode, indexIn(node) + 1);
        return Array.from(holder.getElementsByTagName(content[0].localName)).find(inside) || null;
    }

    function elementAtStart(range) {
        const node = range.startContainer;
        const element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
        return element && (element === document.body || document.body.contains(element)) ? element : null;
    }

    function selectedElement(range) {
        return controlOf(range) || elementAtStart(range);
    }

    function selectRange(range) {
        const selection = getSelection();
        selection.removeAllRanges();
        selection.addRange(range);
    }

    function scrollIntoSight(range) {
        const rect = range.getBoundingClientRect();
        if (rect.top < 0 || rect.bottom > window.innerHeight)
            window.scrollBy(0, rect.top - window.innerHeight / 3);
    }

    // A click on a picture or rule selects it as a whole, as a click on an
    // object does in a desktop editor.
    document.addEventListener('mousedown', event => {
        const target = event.target;
        if (event.button === 0 && target instanceof Element && (target.localName === 'img' || target.localName === 'hr')) {
            const range = document.createRange();
            range.selectNode(target);
            selectRange(range);
            event.preventDefault();
        }
    }, true);

    // --- Elements around the selection -------------------------------------

    // The first character after a caret that stands at the end of a text or
    // between elements: a caret just before a link's first character is in
    // that link.
    function textAfterCaret(range) {
        const node = range.startContainer;
        if (node.nodeType === Node.TEXT_NODE && range.startOffset < node.data.length)
            return null;
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        for (let text = walker.nextNode(); text; text = walker.nextNode()) {
            if (text.data.length > 0 && range.comparePoint(text, 0) >= 0)
                return text;
        }
        return null;
    }

    function enclosingElement(range, tag) {
        if (!range)
            return null;
        const start = controlOf(range) || elementAtStart(range);
        let found = start ? start.closest(tag) : null;
        if (!found && range.collapsed) {
            const next = textAfterCaret(range);
            found = next && next.parentElement ? next.parentElement.closest(tag) : null;
        }
        return found && document.body.contains(found) ? found : null;
    }

    // Drawn round the cells of tables without a border while editing; an
    // adopted sheet is no part of the document's source.
    const bordersSheet = new CSSStyleSheet();
    bordersSheet.replaceSync('table:not([border]) td, table:not([border]) th, table[border="0"] td, '
        + 'table[border="0"] th { outline: 1px dotted #a0a0a0; outline-offset: -1px; }');

    // --- Commands -----------------------------------------------------------

    function cellOf(range) {
        const element = range ? elementAtStart(range) : null;
        const cell = element ? element.closest('td, th') : null;
        return cell && document.body.contains(cell) ? cell : null;
    }

    function positionedOf(range) {
        for (let element = range ? (controlOf(range) || elementAtStart(range)) : null;
             element && element !== document.body; element = element.parentElement) {
            if (element.style.position === 'absolute')
                return element;
        }
        return null;
    }

    // Commands with a value rather than an on and off state.
    const valueCommands = new Set(['fontName', 'fontSize', 'foreColor', 'backColor', 'formatBlock']);

    function engineState(name, range) {
        let supported = false;
        try {
            supported = document.queryCommandSupported(name);
        } catch (error) {
            supported = false;
        }
        // Whether the page has the focus does not matter: the editor's
        // controls take the focus for a moment and give it back.
        const enabled = supported && range !== null
            && (name !== 'undo' || document.queryCommandEnabled('undo'));
        let on = false;
        let value = '';
        if (enabled) {
            try {
                if (valueCommands.has(name)) {
                    const found = document.queryCommandValue(name);
                    value = found === null || found === undefined ? '' : String(found);
                } else {
                    on = document.queryCommandState(name) === true;
                }
            } catch (error) {
                on = false;
            }
        }
        return { supported: supported, enabled: enabled, on: on, value: value };
    }

    const viewActionStates = {
        cut: range => range !== null && !range.collapsed,
        copy: range => range !== null && !range.collapsed,
        paste: range => range !== null,
        undo: range => range !== null && document.queryCommandEnabled('undo'),
    };

    function rowOf(cell) {
        return cell.parentElement;
    }

    function tableOf(cell) {
        return cell.closest('table');
    }

    function emptyCellLike(cell) {
        return document.createElement(cell.localName);
    }

    // After a row or column is gone the caret goes to the nearest cell, so
    // the next delete works on where the user is.
    function caretInto(cell) {
        if (!cell)
            return;
        const range = document.createRange();
        range.setStart(cell, 0);
        selectRange(range);
    }

    const domCommands = {
        insertRow: {
            enabled: range => cellOf(range) !== null,
            run(range) {
                const row = rowOf(cellOf(range));
                const added = row.cloneNode(false);
                for (const cell of Array.from(row.cells))
                    added.appendChild(emptyCellLike(cell));
                row.parentNode.insertBefore(added, row);
            },
        },
        insertColumn: {
            enabled: range => cellOf(range) !== null,
            run(range) {
                const cell = cellOf(range);
                const index = cell.cellIndex;
                for (const row of Array.from(tableOf(cell).rows)) {
                    const before = row.cells[Math.min(index, row.cells.length)] || null;
                    row.insertBefore(emptyCellLike(before || cell), before);
                }
            },
        },
        deleteRows: {
            enabled: range => cellOf(range) !== null,
            run(range) {
                const cell = cellOf(range);
                const table = tableOf(cell);
                const row = rowOf(cell);
                const next = table.rows[row.rowIndex + 1] || table.rows[row.rowIndex - 1];
                row.remove();
                if (table.rows.length === 0)
                    table.remove();
                else
                    caretInto(next.cells[Math.min(cell.cellIndex, next.cells.length - 1)]);
            },
        },
        deleteColumns: {
            enabled: range => cellOf(range) !== null,
            run(range) {
                const cell = cellOf(range);
                const index = cell.cellIndex;
                const row = rowOf(cell);
                const table = tableOf(cell);
                for (const each of Array.from(table.rows)) {
                    if (each.cells[index])
                        each.cells[index].remove();
                    if (each.cells.length === 0)
                        each.remove();
                }
                if (table.rows.length === 0)
                    table.remove();
                else if (row.isConnected)
                    caretInto(row.cells[Math.min(index, row.cells.length - 1)]);
            },
        },
        makeAbsolute: {
            enabled: range => controlOf(range) !== null || positionedOf(range) !== null,
            on: range => positionedOf(range) !== null,
            run(range) {
                const positioned = positionedOf(range);
                if (positioned) {
                    for (const property of ['position', 'left', 'top', 'z-index'])
                        positioned.style.removeProperty(property);
                    if (positioned.getAttribute('style') === '')
                        positioned.removeAttribute('style');
                    return;
                }
                const element = controlOf(range);
                const box = element.getBoundingClientRect();
                element.style.position = 'absolute';
                element.style.left = Math.round(box.left + window.scrollX) + 'px';
                element.style.top = Math.round(box.top + window.scrollY) + 'px';
            },
        },
        // Links the selection, or gives the link holding it a new address.
        hyperlink: {
            enabled: range => range !== null && (!range.collapsed || enclosingElement(range, 'a') !== null),
            run(range, value) {
                const link = enclosingElement(range, 'a');
                if (link && link.hasAttribute('href')) {
                    link.setAttribute('href', String(value));
                    return true;
                }
                return document.execCommand('createLink', false, String(value));
            },
        },
        unlink: {
            enabled: range => enclosingElement(range, 'a') !== null,
            run(range) {
                const whole = document.createRange();
                whole.selectNode(enclosingElement(range, 'a'));
                selectRange(whole);
                return document.execCommand('unlink', false, null);
            },
        },
        sendToBack: {
            enabled: range => positionedOf(range) !== null,
            run(range) {
                positionedOf(range).style.zIndex = '-1';
            },
        },
    };

    function commandState(command, range) {
        switch (command.route) {
        case 'engine':
            return engineState(command.name, range);
        case 'view': {
            const state = viewActionStates[command.name];
            const enabled = state ? state(range) : false;
            return { supported: !!state, enabled: enabled, on: false, value: '' };
        }
        case 'dom': {
            const dom = domCommands[command.name];
            const enabled = dom ? dom.enabled(range) : false;
            return { supported: !!dom, enabled: enabled, on: enabled && !!dom.on && dom.on(range), value: '' };
        }
        default:
            return { supported: false, enabled: false, on: false, value: '' };
        }
    }

    // --- The whole document -------------------------------------------------

    function serialised() {
        const type = document.doctype ? new XMLSerializer().serializeToString(document.doctype) : '';
        return type + document.documentElement.outerHTML;
    }

    function parsed(html) {
        return new DOMParser().parseFromString(String(html), 'text/html');
    }

    function replaceDocument(html) {
        const source = parsed(html);
        if (source.querySelector('frameset'))
            return { frameset: true };
        const oldType = document.doctype;
        if (source.doctype) {
            const type = document.implementation.createDocumentType(source.doctype.name, source.doctype.publicId,
                                                                    source.doctype.systemId);
            if (oldType)
                oldType.replaceWith(type);
            else
                document.insertBefore(type, document.documentElement);
        } else if (oldType) {
            oldType.remove();
        }
        document.replaceChild(document.importNode(source.documentElement, true), document.documentElement);
        ensureEditable();
        notify('display');
        return { frameset: false };
    }

    // --- Operations ---------------------------------------------------------

    const operations = {
        states({ commands }) {
            const range = currentRange();
            return commands.map(command => commandState(command, range));
        },
        run({ command, value }) {
            ensureEditable();
            const range = currentRange();
            if (command.route === 'engine')
                return range !== null && document.execCommand(command.name, false, value);
            const dom = domCommands[command.name];
            if (!dom || !dom.enabled(range))
                return false;
            const done = dom.run(range, value);
            notify('display');
            return done !== false;
        },
        documentHtml: () => serialised(),
        inspect: ({ html }) => ({ frameset: parsed(html).querySelector('frameset') !== null }),
        replaceDocument: ({ html }) => replaceDocument(html),
        bodyHtml: () => (document.body ? document.body.innerHTML : ''),
        setBodyHtml({ html }) {
            document.body.innerHTML = String(html);
            notify('display');
            return null;
        },
        bodyText: () => modelText(bodyModel()),
        selection() {
            const range = currentRange();
            if (!range)
                return { type: 'None', start: 0, end: 0, tag: '' };
            const model = bodyModel();
            const start = offsetOf(model, range.startContainer, range.startOffset);
            const end = offsetOf(model, range.endContainer, range.endOffset);
            const control = controlOf(range);
            const type = range.collapsed ? 'None' : (control ? 'Control' : 'Text');
            return { type: type, start: start, end: end, tag: control ? control.localName : '' };
        },
        rangeText({ start, end }) {
            return textBetween(bodyModel(), start, end);
        },
        rangeHtml({ start, end }) {
            return htmlOf(rangeOf(bodyModel(), start, end));
        },
        select({ start, end }) {
            const range = rangeOf(bodyModel(), start, end);
            selectRange(range);
            scrollIntoSight(range);
            return null;
        },
        rangeTop({ start, end }) {
            const range = rangeOf(bodyModel(), start, end);
            const rects = range.getClientRects();
            const rect = rects.length ? rects[0] : range.getBoundingClientRect();
            return Math.round(rect.top + window.scrollY);
        },
        pasteHtml({ start, end, html }) {
            ensureEditable();
            selectRange(rangeOf(bodyModel(), start, end));
            return document.execCommand('insertHTML', false, String(html));
        },
        replaceText({ start, end, expected, replacement }) {
            const model = bodyModel();
            if (textBetween(model, start, end) !== expected)
                return false;
            const range = rangeOf(model, start, end);
            if (range.startContainer === range.endContainer && range.startContainer.nodeType === Node.TEXT_NODE) {
                range.startContainer.replaceData(range.startOffset, range.endOffset - range.startOffset, replacement);
            } else {
                range.deleteContents();
                range.insertNode(document.createTextNode(replacement));
            }
            notify('display');
            return true;
        },
        selectedElementTag() {
            const range = currentRange();
            const element = range ? selectedElement(range) : null;
            return element ? element.localName : '';
        },
        enclosingElement({ tag }) {
            const element = enclosingElement(currentRange(), tag);
            return element ? element.outerHTML : '';
        },
        replaceElement({ tag, expected, html }) {
            const element = enclosingElement(currentRange(), tag);
            if (!element || element.outerHTML !== expected)
                return false;
            const holder = document.createElement('template');
            holder.innerHTML = String(html);
            const fresh = holder.content.firstElementChild;
            if (!fresh || fresh.localName !== tag)
                return false;
            element.replaceWith(holder.content);
            const range = document.createRange();
            range.selectNodeContents(fresh);
            if (tag !== 'a')
                range.collapse(true);
            selectRange(range);
            notify('display');
            return true;
        },
        showBorders: () => document.adoptedStyleSheets.includes(bordersSheet),
        setShowBorders({ on }) {
            const others = document.adoptedStyleSheets.filter(sheet => sheet !== bordersSheet);
            document.adoptedStyleSheets = on ? others.concat([bordersSheet]) : others;
            return null;
        },
        markedDocument({ marker, place }) {
            const range = currentRange();
            if (!range)
                fail('nothing is selected in the document');
            const saved = [range.startContainer, range.startOffset, range.endContainer, range.endOffset];
            // A live range: it follows the marker going in.
            const marked = range.cloneRange();
            let takeOut;
            if (place === 'selectionStart' && saved[0].nodeType === Node.TEXT_NODE) {
                const text = saved[0];
                text.insertData(saved[1], marker);
                takeOut = () => text.deleteData(saved[1], marker.length);
            } else {
                const holder = place === 'selectionStart' ? null : selectedElement(range);
                if (place !== 'selectionStart' && !holder)
                    fail('no element holds the selection');
                const mark = document.createTextNode(marker);
                if (holder)
                    holder.insertBefore(mark, holder.firstChild);
                else
                    saved[0].insertBefore(mark, saved[0].childNodes[saved[1]] || null);
                takeOut = () => mark.remove();
            }
            try {
                return { documentHtml: serialised(), selectionHtml: htmlOf(marked) };
            } finally {
                takeOut();
                const restored = document.createRange();
                restored.setStart(saved[0], saved[1]);
                restored.setEnd(saved[2], saved[3]);
                selectRange(restored);
            }
        },
    };

    document.addEventListener('selectionchange', () => notify('display'));
    document.addEventListener('input', () => notify('display'));
    window.addEventListener('blur', () => notify('blur'));
    ensureEditable();

    window.ferrowenEditor = {
        operations,
        expected: EditorError,
    };
})(/*channel*/"");

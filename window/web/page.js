// The calculator's page: ties the elements page_maker wrote to the core in
// WebAssembly (tasa-core.js), which holds the boxes' texts while a click
// runs, does every calculation, and decides what a box shows. Here only
// what a browser must do: events, measuring text in the page's fonts, the
// captions' sizes, the error dialog, the scale, loading the core and
// saying so, the service worker.
'use strict';

(() => {
  const root = document.documentElement;
  const form = document.getElementById('Form1');
  // Each control by its number, its place in the description (data-control).
  const byControl = [];
  for (const element of form.querySelectorAll('[data-control]')) {
    byControl[Number(element.dataset.control)] = element;
  }
  const boxes = byControl.filter((element) => element.classList.contains('box'));
  const buttons = byControl.filter((element) => element.tagName === 'BUTTON');
  const captions = byControl.filter((element) => element.classList.contains('caption'));
  const twinOf = (box) => box.nextElementSibling;
  const report = document.getElementById('report');
  const status = document.getElementById('status');
  const said = document.getElementById('said');
  let saidEven = false;
  const canvas = document.createElement('canvas').getContext('2d');
  // The characters that end a line, as page_maker writes them.
  const lineBreak = new RegExp(`[${form.dataset.lineBreaks.split(' ')
      .map((code) => String.fromCodePoint(parseInt(code, 16))).join('')}]`, 'u');

  // The scale, --k on the root: the form, the dialog and the status line
  // are drawn at it. 1 on a desktop; on a touch screen, or a window below
  // 600 CSS pixels wide, the largest at which the form and the status line
  // under it fit the window, with a margin, the layout kept.
  const coarse = matchMedia('(pointer: coarse)');
  const scale = () => Number(root.style.getPropertyValue('--k') || 1);
  const rescale = () => {
    const width = root.clientWidth;
    const height = root.clientHeight;
    const style = getComputedStyle(root);
    const pixels = (name) => Number(style.getPropertyValue(name));
    const k = coarse.matches || width < 600 ? Math.min(
        (width - 2 * pixels('--margin')) / pixels('--form-width'),
        (height - 2 * pixels('--margin')) / (pixels('--form-height') + pixels('--status'))) : 1;
    root.style.setProperty('--k', k);
  };

  // Each control's font and the room inside it, read once for each scale:
  // reading the style sheet for every text measured would cost more than
  // the calculation.
  let rooms = [];
  const measureRooms = () => {
    rooms = byControl.map((element) => {
      const style = getComputedStyle(element);
      return {
        family: `${style.fontWeight} %SIZE% ${style.fontFamily}`,
        size: style.fontSize,
        width: element.clientWidth - parseFloat(style.paddingLeft) -
            parseFloat(style.paddingRight),
        height: element.clientHeight - parseFloat(style.paddingTop) -
            parseFloat(style.paddingBottom),
      };
    });
  };
  // Text's width in a control's font, at `points` when given.
  const widthIn = (control, text, points) => {
    const room = rooms[control];
    canvas.font = room.family.replace('%SIZE%',
        points === undefined ? room.size : `${points * scale()}pt`);
    return canvas.measureText(text).width;
  };

  // Each caption at the largest half point from data-largest down to
  // data-smallest at which it shows whole, those that stand together
  // (data-group) at the smallest of theirs: before the form is first
  // painted, so that no caption changes size later. The rule is the
  // windows' (FittedCaptionSizes, form1_description.h), its sizes and
  // groups from page_maker; written here because the form is painted
  // before the core that holds it has arrived.
  const fitCaptions = () => {
    const fits = (element, halfPoints) => {
      const control = Number(element.dataset.control);
      const height = halfPoints / 2 * scale() * 96 / 72 * 1.15;
      return widthIn(control, element.textContent, halfPoints / 2) <= rooms[control].width &&
          height <= rooms[control].height + 0.5;
    };
    const sizes = new Map();
    for (const element of captions) {
      let halfPoints = Number(form.dataset.largest);
      while (halfPoints > Number(form.dataset.smallest) && !fits(element, halfPoints)) {
        --halfPoints;
      }
      const group = element.dataset.group ?? element.id;
      sizes.set(group, Math.min(sizes.get(group) ?? halfPoints, halfPoints));
    }
    for (const element of captions) {
      element.style.setProperty('--points', sizes.get(element.dataset.group ?? element.id) / 2);
    }
  };

  // What the core asks of the page (page_calls.h).
  const page = {
    boxFits(control, text) {
      return widthIn(control, text) <= rooms[control].width;
    },
  };

  let core = null;
  const encoder = new TextEncoder();

  const withText = (text, call) => {
    const bytes = encoder.encode(text);
    const at = core._malloc(bytes.length + 1);
    core.HEAPU8.set(bytes, at);
    try {
      return call(at, bytes.length);
    } finally {
      core._free(at);
    }
  };
  const text = (pointer) => core.UTF8ToString(pointer);

  // What a box shows without the focus, and its tooltip; `told` when the
  // core holds the box's text already.
  const refresh = (box, told = false) => {
    if (core === null) return;
    const control = Number(box.dataset.control);
    if (!told) {
      withText(box.value, (at, length) =>
        core._tasa_set_box_text(control, at, length));
    }
    const shown = document.activeElement === box ? '' :
        text(core._tasa_shortened(control));
    const twin = twinOf(box);
    twin.value = shown;
    twin.hidden = shown === '';
    box.title = text(core._tasa_tooltip(control));
  };

  // The status line under the form: one polite live region, so that a
  // screen reader says what it shows too. What is told replaces what was;
  // with `reload`, a button to load the page again follows it.
  const tell = (message, reload = false) => {
    status.replaceChildren(message);
    if (reload) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'Recargar';
      button.addEventListener('click', () => location.reload());
      status.append(button);
    }
  };

  let focusBefore = null;
  let notANumber = null;
  const showReport = (message, box) => {
    focusBefore = document.activeElement;
    notANumber = box;
    document.getElementById('report-text').textContent = message;
    report.showModal();
    document.getElementById('report-close').focus();
  };
  // Closed by its button (Enter, Space or a click) or by Escape; the focus
  // then goes where it belongs at once, not when the close event comes.
  const closeReport = () => {
    report.close();
    if (notANumber !== null) {
      // The person types over the text that could not be read.
      notANumber.focus();
      notANumber.setSelectionRange(0, notANumber.value.length, 'backward');
      notANumber.scrollLeft = 0;
    } else if (focusBefore !== null) {
      focusBefore.focus();
    }
  };
  document.getElementById('report-close').addEventListener('click', closeReport);
  report.addEventListener('cancel', (event) => {
    event.preventDefault();
    closeReport();
  });

  // A click while the core loads waits for it; the last one runs.
  let waiting = null;
  const click = (control) => {
    if (core === null) {
      waiting = control;
      return;
    }
    for (const box of boxes) {
      withText(box.value, (at, length) =>
        core._tasa_set_box_text(Number(box.dataset.control), at, length));
    }
    const stopped = core._tasa_click(control);
    for (const box of boxes) {
      const boxControl = Number(box.dataset.control);
      if (core._tasa_box_written(boxControl)) {
        box.value = text(core._tasa_box_text(boxControl));
        box.scrollLeft = 0;  // the first digits in view
      }
    }
    for (const box of boxes) refresh(box, true);
    // Said once: emptied first, so that an error dialog's closing, which
    // gives the region back to the page, does not say it again. A screen
    // reader takes the same words twice for one message, so every other
    // announcement ends in a no-break space.
    const announcement = text(core._tasa_announcement());
    said.textContent = '';
    if (announcement !== '') {
      said.textContent = announcement + (saidEven ? '\u00a0' : '');
      saidEven = !saidEven;
    }
    if (core._tasa_error_number() !== 0) {
      showReport(text(core._tasa_error_text()),
          stopped >= 0 ? byControl[stopped] : null);
    }
  };

  // A paste, or a drop, keeps what comes before its first line break, at
  // the caret: the browser would turn line breaks into spaces. Inserted as
  // typing is, so that undo takes it back; a paste without a line break is
  // left to the browser, and the paste event is never cancelled.
  const insertFirstLine = (box, inserted) => {
    const cut = inserted.search(lineBreak);
    const kept = cut < 0 ? inserted : inserted.slice(0, cut);
    if (!document.execCommand('insertText', false, kept)) {
      box.setRangeText(kept, box.selectionStart, box.selectionEnd, 'end');
      box.dispatchEvent(new Event('input', {bubbles: true}));
    }
  };
  let pasted = '';
  for (const box of boxes) {
    box.addEventListener('paste', (event) => {
      pasted = event.clipboardData?.getData('text/plain') ?? '';
    });
    box.addEventListener('beforeinput', (event) => {
      const inserted = event.data ?? pasted;
      if (event.inputType === 'insertFromPaste' && lineBreak.test(inserted)) {
        event.preventDefault();
        insertFirstLine(box, inserted);
      }
    });
    box.addEventListener('drop', (event) => {
      event.preventDefault();
      box.focus();
      insertFirstLine(box, event.dataTransfer.getData('text/plain'));
    });
    for (const happening of ['focus', 'blur', 'input']) {
      box.addEventListener(happening, () => refresh(box));
    }
  }
  for (const button of buttons) {
    button.addEventListener('click', () => click(Number(button.dataset.control)));
  }
  form.addEventListener('submit', (event) => event.preventDefault());

  const layOut = () => {
    rescale();
    measureRooms();
    fitCaptions();
    boxes.forEach((box) => refresh(box));
  };
  addEventListener('resize', layOut);

  // The form takes typing at once; the core comes after, its two files
  // named by the page's links (each named by what it holds). Its bytes
  // compile while the form is laid out, and its loader arrives.
  const linked = (as) => document.querySelector(`link[rel="preload"][as="${as}"]`).href;
  const bytes = () => fetch(linked('fetch'), {credentials: 'same-origin'});
  // Streamed where the server gives the .wasm its type and the browser can.
  const compiled = typeof WebAssembly !== 'object' ? null :
    Promise.resolve().then(() => WebAssembly.compileStreaming(bytes())).catch(() => bytes()
        .then((response) => response.ok ? response.arrayBuffer() : Promise.reject(response))
        .then((buffer) => WebAssembly.compile(buffer)));
  layOut();
  if (document.activeElement === document.body) {
    form.querySelector('button, input.box').focus();  // the first in tab order
  }
  form.dataset.core = 'loading';
  tell('Cargando…');
  const loaded = new Promise((done, failed) => {
    if (compiled === null) {
      failed(new Error('WebAssembly'));
      return;
    }
    compiled.catch(failed);
    const script = document.createElement('script');
    script.src = linked('script');
    script.addEventListener('error', failed);
    script.addEventListener('load', () => createTasaCore({
      page,
      instantiateWasm(imports, receive) {
        compiled.then((module) => WebAssembly.instantiate(module, imports)
            .then((instance) => receive(instance, module))).catch(failed);
        return {};
      },
    }).then(done, failed));
    document.head.append(script);
  });
  loaded.then((module) => {
    core = module;
    boxes.forEach((box) => refresh(box));
    form.dataset.core = 'ready';
    if (status.textContent === 'Cargando…') tell('');
    performance.mark('tasa-ready');
    if (waiting !== null) click(waiting);
  }, (error) => {
    form.dataset.core = 'failed';
    const noWebAssembly = error.message === 'WebAssembly';
    tell(noWebAssembly ?
        'La calculadora no pudo iniciarse: este navegador no ejecuta WebAssembly. ' +
        'Ábrala en un navegador actual.' :
        'La calculadora no pudo iniciarse. Compruebe la conexión y vuelva a cargar ' +
        'la página.', !noWebAssembly);
  });

  // The service worker keeps the page's files, past the HTTP cache, and
  // checks for a new release at each load. When the release it serves is
  // no longer the one this page came from (as it says in the page's
  // timing), whether taken in before this script ran or after, the page
  // says so; a page from the network says nothing. It fetches every file
  // again to keep it: once the page has loaded, so that it does not
  // compete with the first load.
  if ('serviceWorker' in navigator) {
    const served = performance.getEntriesByType('navigation')[0]?.serverTiming
        ?.find((entry) => entry.name === 'release')?.description;
    const ask = () => navigator.serviceWorker.controller?.postMessage('release');
    navigator.serviceWorker.addEventListener('message', (event) => {
      if (served && event.data?.release && event.data.release !== served) {
        tell('Hay una versión nueva.', true);
      }
    });
    navigator.serviceWorker.addEventListener('controllerchange', ask);
    ask();
    addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'}).catch(() => {});
    });
  }
})();

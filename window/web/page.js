// The calculator's page: ties the elements page_maker wrote to the core in
// WebAssembly (tasa-core.js), which holds the boxes' texts while a click
// runs, does every calculation, and decides what a box shows and which size
// a caption takes. Here only what a browser must do: events, measuring text
// in the page's fonts, the error dialog, the scale, the service worker.
'use strict';

(() => {
  const form = document.getElementById('Form1');
  const byIndex = [];
  for (const element of form.querySelectorAll('[data-index]')) {
    byIndex[Number(element.dataset.index)] = element;
  }
  const boxes = byIndex.filter((element) => element.classList.contains('box'));
  const buttons = byIndex.filter((element) => element.tagName === 'BUTTON');
  const twinOf = (box) => box.nextElementSibling;
  const report = document.getElementById('report');
  const canvas = document.createElement('canvas').getContext('2d');
  const lineBreak = /[\r\n\u0085\u2028\u2029]/;

  // Each control's font and the room inside it, read once for each scale:
  // reading the style sheet for every text measured would cost more than
  // the calculation.
  let rooms = [];
  const measureRooms = () => {
    rooms = byIndex.map((element) => {
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
  const widthIn = (index, text, points) => {
    const room = rooms[index];
    canvas.font = room.family.replace('%SIZE%',
        points === undefined ? room.size : `${points * scale()}pt`);
    return canvas.measureText(text).width;
  };

  // Whether a caption shows whole at a size, kept for each scale: measured
  // while the core is still on its way (warmCaptions), asked for by it.
  let captionFits = new Map();
  const measureCaption = (index, halfPoints) => {
    const key = `${index} ${halfPoints}`;
    if (!captionFits.has(key)) {
      const points = halfPoints / 2;
      const height = points * scale() * 96 / 72 * 1.15;
      captionFits.set(key, widthIn(index, byIndex[index].textContent, points) <=
          rooms[index].width && height <= rooms[index].height + 0.5);
    }
    return captionFits.get(key);
  };
  // The sizes the core tries, from 8 points down in half points.
  const warmCaptions = () => {
    byIndex.forEach((element, index) => {
      if (!element.classList.contains('caption')) return;
      for (let halfPoints = 16; halfPoints > 12; --halfPoints) {
        if (measureCaption(index, halfPoints)) break;
      }
    });
  };

  // What the core asks of the page (page_calls.h).
  const page = {
    boxFits(index, text) {
      return widthIn(index, text) <= rooms[index].width;
    },
    captionFits: measureCaption,
    setCaptionSize(index, halfPoints) {
      byIndex[index].style.setProperty('--points', halfPoints / 2);
    },
  };

  // The scale: 1 on a desktop; below 600 CSS pixels of width the form
  // takes 95 % of it, the layout kept.
  const scale = () => Number(form.style.getPropertyValue('--k') || 1);
  const rescale = () => {
    const width = document.documentElement.clientWidth;
    const k = width < 600 ? Math.max(1, 0.95 * width / Number(
        form.style.getPropertyValue('--width'))) : 1;
    form.style.setProperty('--k', k);
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
    const index = Number(box.dataset.index);
    if (!told) {
      withText(box.value, (at, length) =>
        core._tasa_set_box_text(index, at, length));
    }
    const shown = document.activeElement === box ? '' :
        text(core._tasa_shown_without_focus(index));
    const twin = twinOf(box);
    twin.value = shown;
    twin.hidden = shown === '';
    box.title = text(core._tasa_tooltip(index));
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

  const click = (index) => {
    for (const box of boxes) {
      withText(box.value, (at, length) =>
        core._tasa_set_box_text(Number(box.dataset.index), at, length));
    }
    const stopped = core._tasa_click(index);
    for (const box of boxes) {
      const boxIndex = Number(box.dataset.index);
      if (core._tasa_box_written(boxIndex)) {
        box.value = text(core._tasa_box_text(boxIndex));
        box.scrollLeft = 0;  // the first digits in view
      }
    }
    for (const box of boxes) refresh(box, true);
    if (core._tasa_error_number() !== 0) {
      showReport(text(core._tasa_error_text()),
          stopped >= 0 ? byIndex[stopped] : null);
    }
  };

  // A paste, or a drop, keeps what comes before its first line break, at
  // the caret: the browser would turn line breaks into spaces.
  const insertFirstLine = (box, inserted) => {
    const cut = inserted.search(lineBreak);
    const kept = cut < 0 ? inserted : inserted.slice(0, cut);
    box.setRangeText(kept, box.selectionStart, box.selectionEnd, 'end');
    box.dispatchEvent(new Event('input', {bubbles: true}));
  };
  for (const box of boxes) {
    box.addEventListener('paste', (event) => {
      event.preventDefault();
      insertFirstLine(box, event.clipboardData.getData('text/plain'));
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
    button.addEventListener('click', () => click(Number(button.dataset.index)));
  }
  form.addEventListener('submit', (event) => event.preventDefault());

  const measure = () => {
    rescale();
    measureRooms();
    captionFits = new Map();
    warmCaptions();
  };
  const layOut = () => {
    measure();
    core._tasa_fit_captions();
    boxes.forEach((box) => refresh(box));
  };

  // The controls come into view, and into the accessibility tree, once
  // the core can answer them; their text is measured while it loads.
  const loading = createTasaCore({page});
  measure();
  loading.then((module) => {
    core = module;
    core._tasa_fit_captions();
    boxes.forEach((box) => refresh(box));
    form.classList.remove('loading');
    form.querySelector('button, input.box').focus();  // the first in tab order
    addEventListener('resize', layOut);
    performance.mark('tasa-ready');
  });

  // The service worker fetches every file again to keep it: once the page
  // has loaded, so that it does not compete with the first load.
  addEventListener('load', () => {
    if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
  });
})();

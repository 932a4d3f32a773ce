// What the web page's core shows for clicks read from standard input, in
// the form rates_table reads and writes them ("A" or "M", the rate and the
// periods, separated by tabs; the output box's text or "error N"), through
// the same calls the page makes. Run under node:
//   node page_answers.js SITE_DIR < clicks.tsv
'use strict';
const fs = require('fs');
const path = require('path');
const readline = require('readline');

const site = process.argv[2];
// The boxes' and buttons' numbers, their places in the window description,
// as the page's data-control attributes give them; the core's files, by the names the page
// gives them.
const page = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
const linked = (as) => new RegExp(`href="([^"]+)" as="${as}"`).exec(page)[1];
const createTasaCore = require(path.resolve(site, linked('script')));
const numberOf = (id) => Number(new RegExp(`id="${id}" data-control="(\\d+)"`).exec(page)[1]);
const [text1, text2, text3] = ['Text1', 'Text2', 'Text3'].map(numberOf);
const [annual, monthly] = ['Command1', 'Command2'].map(numberOf);

// The core's bytes from the site itself: emscripten 3.1.6 would fetch() a
// path, which node's fetch takes for no URL.
const wasmBinary = fs.readFileSync(path.join(site, linked('fetch')));
createTasaCore({page: {}, wasmBinary}).then((core) => {
  const encoder = new TextEncoder();
  const setBox = (control, text) => {
    const bytes = encoder.encode(text);
    const at = core._malloc(bytes.length + 1);
    core.HEAPU8.set(bytes, at);
    core._tasa_set_box_text(control, at, bytes.length);
    core._free(at);
  };
  const out = [];
  const lines = readline.createInterface({input: process.stdin});
  lines.on('line', (line) => {
    const [action, rate, periods] = line.replace(/\r$/, '').split('\t');
    const output = action === 'A' ? text1 : text3;
    setBox(text1, action === 'A' ? ' ' : rate);
    setBox(text2, periods);
    setBox(text3, action === 'A' ? rate : ' ');
    core._tasa_click(action === 'A' ? annual : monthly);
    const error = core._tasa_error_number();
    out.push(error !== 0 ? `error ${error}` :
        core.UTF8ToString(core._tasa_box_text(output)));
  });
  lines.on('close', () => process.stdout.write(out.join('\n') + '\n'));
});

// Drives the calculator's web page in Debian's chromium, headless, as a
// person and a screen reader meet it: the layout against the window
// description, names, tab order, the keys, the worked examples, each
// error's dialog and focus, pastes and their undoing, what a box shows of a
// number too long for it (in pixels), the captions, contrast, screens of
// phones and tablets both ways, the page while its core loads and when it
// cannot, the service worker, a reload offline and a second release behind
// three kinds of servers, axe-core's rules, and a few hundred clicks typed
// in, against the Linux build; all under the page's strict policy, sent as
// a header too. Prints one line per check and "N passed, M failed".
//   node page_test.mjs SITE_DIR LINUX_RATES_TABLE
// Exits 77 (skipped) where chromium cannot be started.
import {execFileSync} from 'node:child_process';
import {createHash} from 'node:crypto';
import {existsSync, readFileSync} from 'node:fs';
import {cp, mkdtemp, readdir, rm, utimes, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {chromium, coreLoaded, launch, openReady} from '../../scripts/web/browser.mjs';
import {serve} from '../../scripts/web/serve.mjs';

const [site, linuxTable] = process.argv.slice(2);
for (const tool of ['puppeteer-core', 'axe-core']) {
  if (!existsSync(new URL(`../../scripts/web/node_modules/${tool}`, import.meta.url))) {
    console.log(`skipped: no ${tool} (npm ci in scripts/web)`);
    process.exit(77);
  }
}
if (!existsSync(chromium)) {
  console.log(`skipped: no chromium at ${chromium}`);
  process.exit(77);
}

let passed = 0;
let failed = 0;
const check = (ok, what) => {
  console.log(`${ok ? 'ok' : 'not ok'} - ${what}`);
  ok ? ++passed : ++failed;
};

// The window as the tests expect it (tests/support/form1_layout.tsv): each
// control's twips rectangle, and the caption of labels and buttons.
const [columns, ...rows] = readFileSync(new URL('../support/form1_layout.tsv', import.meta.url),
    'utf8').split('\n').filter((line) => line && !line.startsWith('#')).map((line) => line.split('\t'));
const layout = rows.map((row) => Object.fromEntries(columns.map((column, i) => [column, row[i]])));
const caption = layout.find((row) => row.kind === 'form').caption;
const controls = Object.fromEntries(layout.filter((row) => row.kind !== 'form').map((row) =>
  [row.index ? `${row.name}_${row.index}` : row.name,
    [+row.left, +row.top, +row.width, +row.height, ...(row.kind === 'box' ? [] : [row.caption])]]));
const ids = Object.keys(controls);
const captions = Object.fromEntries(ids.filter((id) => controls[id][4])
    .map((id) => [id, controls[id][4]]));

const server = await serve(site);
let browser;
try {
  browser = await launch();
} catch (error) {
  console.log(`skipped: chromium does not start here (${error.message.split('\n')[0]})`);
  await server.close();
  process.exit(77);
}
// No script error, nothing the page's policy refuses.
const watch = (page) => {
  page.on('pageerror', (error) => check(false, `no script error: ${error.message}`));
  page.on('console', (message) => /Content Security Policy/.test(message.text()) &&
      check(false, `nothing refused: ${message.text()}`));
};
// A tab in a browser context of its own, its requests answered by `answer`.
const tabWith = async (answer) => {
  const tab = await (await browser.createBrowserContext()).newPage();
  watch(tab);
  await tab.setRequestInterception(true);
  tab.on('request', answer);
  return tab;
};
const open = async (width = 1024, height = 768, touch = false, context = browser, url = server.url) =>
  openReady(context, url, {width, height, hasTouch: touch, isMobile: touch}, watch);
const value = (page, id) => page.$eval(`#${id}`, (box) => box.value);
const focused = (page) => page.evaluate(() => document.activeElement.id);
const withControl = async (page, key) => {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
};
const setBoxes = (page, texts) => page.evaluate((texts) => {
  for (const [id, text] of Object.entries(texts)) {
    document.getElementById(id).value = text;
  }
}, texts);
// Each control's rectangle in the form, in CSS pixels.
const placesIn = (page) => page.evaluate((ids) => ids.map((id) => {
  const box = document.getElementById(id).getBoundingClientRect();
  const origin = document.getElementById('Form1').getBoundingClientRect();
  return [box.x - origin.x, box.y - origin.y, box.width, box.height];
}), ids);
// Contrast of two sRGB colours, the first over the second where it is
// translucent.
const luminance = (rgb) => rgb.map((c) => c / 255).map((c) => c <= 0.03928 ? c / 12.92 :
  ((c + 0.055) / 1.055) ** 2.4).reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
const contrast = ([r, g, b, a = 1], back) => [luminance([r, g, b].map((c, i) =>
  c * a + back[i] * (1 - a))), luminance(back)].sort((x, y) => x - y).reduce((y, x) => (x + 0.05) / (y + 0.05));
// The open error dialog's text, or null.
const report = (page) => page.evaluate(() => {
  const dialog = document.getElementById('report');
  return dialog.open ? document.getElementById('report-text').textContent : null;
});

try {
  const page = await open();

  // The window: one form named by the caption, its controls at their twips.
  check(await page.title() === caption.trim(), 'the document is titled by the caption');
  const form = await page.$eval('#Form1', (element) => {
    const box = element.getBoundingClientRect();
    return {tag: element.tagName, x: box.x, y: box.y, width: box.width, height: box.height,
      name: element.getAttribute('aria-label')};
  });
  check(form.tag === 'FORM' && form.width === 286 && form.height === 249 &&
      form.name === caption, 'the client area is one form of 286 x 249 CSS px, named by the caption');
  const at = await placesIn(page);
  check(ids.every((id, i) => at[i].every((pixels, k) =>
    Math.abs(pixels - controls[id][k] / 15) < 0.01)),
  'every control at its twips rectangle');
  const shown = await page.evaluate((ids) => ids.map((id) =>
    document.getElementById(id).textContent), Object.keys(captions));
  check(Object.values(captions).every((text, i) => shown[i] === text),
      'each caption is an element holding exactly it');
  check(await page.evaluate(() => [...document.querySelectorAll('input.box:not(.twin)')]
      .every((box) => box.type === 'text' && box.inputMode === 'decimal' &&
          box.maxLength === -1 && box.value === ' ')),
  'three text boxes, decimal keyboards, no length limit, one space each');
  check(await page.evaluate(() => document.querySelectorAll('[accesskey]').length === 0),
      'no access keys');

  // What a screen reader meets.
  const tree = await page.accessibility.snapshot({interestingOnly: true});
  const nodes = [];
  const walk = (node) => { nodes.push(node); (node.children ?? []).forEach(walk); };
  walk(tree);
  // Names as a screen reader hears them: white space collapsed and trimmed.
const named = (role, name) => nodes.some((node) => node.role === role &&
      (node.name ?? '').trim() === name);
  check(named('form', caption.trim()), 'the form is named by the caption');
  for (const [box, label] of [['Text1', 'Tasa Norvanta Anual'],
    ['Text2', 'Periodos Capitalizacion'], ['Text3', 'Tasa Norvanta Mensual']]) {
    check(named('textbox', label), `${box} is named "${label}"`);
  }
  for (const button of ['N.Anual', 'N.Mensual', 'Borrar']) {
    check(named('button', button), `a button named "${button}"`);
  }
  check(nodes.filter((node) => node.role === 'textbox').length === 3,
      'only the three boxes are text boxes (the twins are hidden from it)');

  // Focus and keys.
  check(await focused(page) === 'Command1', 'at load the focus is on N.Anual');
  const order = [];
  for (let i = 0; i < 5; ++i) {
    await page.keyboard.press('Tab');
    order.push(await focused(page));
  }
  check(order.join() === 'Command2,Command4,Text1,Text2,Text3',
      `Tab visits N.Mensual, Borrar, then the boxes: ${order}`);

  const clicks = [
    // [key or button, boxes, the box written, what it shows]
    ['Command1', {Text1: ' ', Text2: '12', Text3: '1'}, 'Text1', '12,682503013197'],
    ['Command2', {Text1: '12', Text2: '12', Text3: ' '}, 'Text3', '0,948879293458297'],
    ['Enter', {Text1: ' ', Text2: '12', Text3: '1'}, 'Text1', '12,682503013197'],
    ['Space', {Text1: ' ', Text2: '12', Text3: '1'}, 'Text1', '12,682503013197'],
    ['Command1', {Text1: ' ', Text2: '\t12\t', Text3: '1'}, 'Text1', '12,682503013197'],
    ['Command1', {Text1: ' ', Text2: '12\u00A0', Text3: '\u22121'}, 'Text1', '-11,3615128283871'],
    ['Command4', {Text1: '1', Text2: '2', Text3: '3'}, 'Text2', ''],
  ];
  for (const [how, boxes, written, expected] of clicks) {
    await setBoxes(page, boxes);
    if (how === 'Enter' || how === 'Space') {
      await page.focus('#Command1');
      await page.keyboard.press(how === 'Enter' ? 'Enter' : ' ');
    } else {
      await page.click(`#${how}`);
    }
    check(await value(page, written) === expected,
        `${how} on ${JSON.stringify(boxes)} writes ${JSON.stringify(expected)} into ${written}`);
  }

  // Errors: the dialog, its keys, no box changed, and where the focus goes.
  const errors = [
    // [button, boxes, error, how it is closed, where the focus goes]
    ['Command2', {Text1: '12', Text2: '0', Text3: '5'}, 11, 'Enter', 'Command2'],
    ['Command2', {Text1: '-200', Text2: '2', Text3: '5'}, 5, 'Escape', 'Command2'],
    ['Command1', {Text1: ' ', Text2: '1e308', Text3: '100'}, 6, 'Enter', 'Command1'],
    ['Command1', {Text1: ' ', Text2: '12', Text3: 'doce'}, 13, 'Escape', 'Text3'],
    ['Command2', {Text1: '1,2,3', Text2: '12', Text3: ' '}, 13, 'Enter', 'Text1'],
  ];
  for (const [button, boxes, number, key, focus] of errors) {
    await setBoxes(page, boxes);
    await page.focus(`#${button}`);
    await page.keyboard.press('Enter');
    const text = await report(page);
    const buttons = await page.$$eval('#report button', (all) => all.map((b) => b.textContent));
    check(text !== null && text.includes(`Error ${number}`) && buttons.join() === 'Aceptar',
        `error ${number} shows a dialog in Spanish with one "Aceptar": ${JSON.stringify(text)}`);
    await page.keyboard.press(key);
    const after = await page.evaluate(() => ({
      open: document.getElementById('report').open,
      focus: document.activeElement.id,
      selected: document.activeElement.selectionStart === 0 &&
          document.activeElement.selectionEnd === document.activeElement.value.length,
      texts: ['Text1', 'Text2', 'Text3'].map((id) => document.getElementById(id).value),
    }));
    check(!after.open && after.focus === focus && (number !== 13 || after.selected) &&
        after.texts.join('|') === Object.values(boxes).join('|'),
    `${key} closes it, no box changed, the focus in ${focus}${number === 13 ? ', its text selected' : ''}`);
  }
  await setBoxes(page, {Text1: ' ', Text2: '12', Text3: '1'});
  await page.click('#Command1');
  check(await value(page, 'Text1') === '12,682503013197', 'after the errors the calculator carries on');

  // Pastes from the clipboard keep the text around the caret and cut at the
  // first line break; Ctrl+Z undoes them.
  await browser.defaultBrowserContext().overridePermissions(server.url,
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const pastes = [
    ['5\n6', 0, 0, '512'], ['5\r6', 1, 1, '152'], ['5\r\n6', 1, 2, '15'],
    ['5\u00856', 0, 2, '5'], ['5\u20286', 2, 2, '125'], ['5\u20296', 0, 0, '512'], ['56', 1, 1, '1562'],
  ];
  for (const [pasted, from, to, kept] of pastes) {
    await page.evaluate((pasted, from, to) => {
      const box = document.getElementById('Text2');
      box.value = '12';
      box.focus();
      box.setSelectionRange(from, to);
      return navigator.clipboard.writeText(pasted);
    }, pasted, from, to);
    const result = await withControl(page, 'KeyV').then(() => value(page, 'Text2'));
    const undone = await withControl(page, 'KeyZ').then(() => value(page, 'Text2'));
    check(result === kept && undone === '12',
        `a paste of ${JSON.stringify(pasted)} over ${from}-${to} of "12" keeps ${result}; undone: ${undone}`);
  }

  // A number too long for its box, without the focus: shortened, in the
  // box's own pixels, its text whole.
  await setBoxes(page, {Text1: '0,01', Text2: '365', Text3: ' '});
  await page.click('#Command2');
  await page.focus('#Text1');
  const long = await page.evaluate(() => {
    const box = document.getElementById('Text3');
    const twin = box.nextElementSibling;
    return {value: box.value, shown: twin.hidden ? box.value : twin.value, title: box.title};
  });
  check(long.value === '2,73958942549507E-05' && long.title === long.value &&
      /^2,7\d*E-05$/.test(long.shown) && long.shown !== long.value,
  `0,01 % over 365 shows ${long.shown}, its text and tooltip whole`);
  const pixels = async () => (await page.$('#Text3')).screenshot({encoding: 'base64'});
  const shortened = await pixels();
  await page.evaluate((text) => {
    const box = document.getElementById('Text3');
    box.value = text;
    box.dispatchEvent(new Event('input'));
  }, long.shown);
  check(shortened === await pixels(), 'the box paints exactly what a box holding the shortened number paints');
  await page.focus('#Text3');
  check(await page.$eval('#Text3', (box) => box.nextElementSibling.hidden),
      'with the focus the box shows its own text');

  // Captions: each whole on one line; those that stand together at one size.
  const sizes = await page.evaluate((ids) => ids.map((id) => {
    const element = document.getElementById(id);
    return [parseFloat(getComputedStyle(element).fontSize),
      element.scrollWidth <= element.clientWidth, element.getClientRects().length];
  }), Object.keys(captions));
  const size = Object.fromEntries(Object.keys(captions).map((id, i) => [id, sizes[i][0]]));
  check(sizes.every(([points, whole]) => points <= 8 * 96 / 72 + 0.01 && whole),
      'every caption shows whole, at 8 points or less');
  check(size.Label3 === size.Label2 && size.Label2 === size.Label4 &&
      size.Label5_0 === size.Label5_1 && size.Command1 === size.Command2 &&
      size.Command2 === size.Command4, 'captions that stand together share one size');

  // Contrast of the controls' boundaries and of the box's focus ring with
  // the form around them (the ring over it), also in forced colours.
  const cdp = await page.createCDPSession();
  for (const forced of ['none', 'active']) {
    await cdp.send('Emulation.setEmulatedMedia', {features: [{name: 'forced-colors', value: forced}]});
    await page.focus('#Text2');
    const [form, ...colours] = await page.evaluate(() => ['Form1', 'Text1', 'Command1', 'Text2']
        .map((id, i) => getComputedStyle(document.getElementById(id))[i < 3 ? (i ? 'borderTopColor' :
          'backgroundColor') : 'outlineColor'].match(/[\d.]+/g).map(Number)));
    const ratios = colours.map((colour) => contrast(colour, form).toFixed(2));
    check(ratios.every((ratio) => ratio >= 3), `forced colours ${forced}: box, button and ` +
        `focus ring against the form ${ratios.join(', ')} (3 at least)`);
  }
  await cdp.send('Emulation.setEmulatedMedia', {features: []});

  // The service worker keeps every file of the release, and the page works
  // offline.
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, {timeout: 10000});
  const kept = await page.evaluate(async () => {
    const cache = await caches.open((await caches.keys())[0]);
    return (await cache.keys()).map((request) => new URL(request.url).pathname.slice(1));
  });
  const release = Object.fromEntries([...readFileSync(join(site, 'sw.js'), 'utf8')
      .matchAll(/'([^']+)': '([0-9a-f]{64})'/g)].map((match) => match.slice(1)));
  const files = Object.keys(release).map((name) => name.replace('./', ''));
  check(files.length === 12 && files.every((file) => kept.includes(file)),
      `the service worker keeps every file: ${kept}`);
  await page.setOfflineMode(true);
  await page.reload({waitUntil: 'load'});
  await coreLoaded(page);
  await setBoxes(page, {Text1: '12', Text2: '12', Text3: ' '});
  await page.click('#Command2');
  check(await value(page, 'Text3') === '0,948879293458297', 'with the network off it reloads and calculates');
  await page.setOfflineMode(false);
  const manifest = JSON.parse(readFileSync(join(site, 'manifest.webmanifest'), 'utf8'));
  const installable = await page.target().createCDPSession().then((session) =>
    session.send('Page.getInstallabilityErrors').then((answer) => answer.installabilityErrors,
        () => null));
  check(manifest.lang === 'es' && manifest.name === 'Tasa Efectiva' &&
      (installable === null || installable.length === 0),
  `a Spanish manifest with the program's icons; installable: ${JSON.stringify(installable)}`);

  // A few hundred clicks typed in, against the Linux build.
  const generated = execFileSync(linuxTable, ['--generate', '3000', '7'], {encoding: 'utf8'})
      .split('\n').filter((line) => line && line.length < 48).slice(0, 300);
  const answers = execFileSync(linuxTable, {input: `${generated.join('\n')}\n`, encoding: 'utf8'})
      .split('\n');
  const typed = await open();
  let same = 0;
  for (const [i, line] of generated.entries()) {
    const [action, rate, periods] = line.split('\t');
    for (const [id, text] of [[action === 'A' ? 'Text3' : 'Text1', rate], ['Text2', periods]]) {
      await typed.click(`#${id}`, {clickCount: 3});  // selects the box's text
      await typed.keyboard.press('Delete');
      await typed.keyboard.type(text);
    }
    await typed.click(action === 'A' ? '#Command1' : '#Command2');
    const error = await report(typed);
    let shownAnswer;
    if (error !== null) {
      shownAnswer = `error ${/Error (\d+)/.exec(error)[1]}`;
      await typed.keyboard.press('Escape');
    } else {
      shownAnswer = await value(typed, action === 'A' ? 'Text1' : 'Text3');
    }
    if (shownAnswer === answers[i]) {
      ++same;
    } else if (same + 10 > i) {
      console.log(`# ${line}: the page shows ${shownAnswer}, Linux ${answers[i]}`);
    }
  }
  check(same === generated.length, `${same} of ${generated.length} typed clicks show what Linux shows`);

  // Phones and tablets, both ways: the form and its status line as large
  // as fit, the layout kept; boxes and buttons 24 px at least from 390 px
  // up; the dialog scaled with them.
  for (const [width, height] of [[360, 640], [640, 360], [844, 390], [768, 1024]]) {
    const phone = await open(width, height, true);
    const k = await phone.$eval('#Form1', (form) => form.getBoundingClientRect().width / 286);
    const fill = Math.max((286 * k + 12) / width, ((249 + 24) * k + 12) / height);
    const phoneAt = await placesIn(phone);
    const scroll = await phone.evaluate(() => document.documentElement.scrollWidth +
        document.documentElement.scrollHeight - window.innerWidth - window.innerHeight);
    const targets = phoneAt.filter((place, i) => !ids[i].startsWith('Label'));
    check(fill > 0.999 && fill < 1.001 && scroll === 0 && ids.every((id, i) => phoneAt[i]
        .every((pixels, j) => Math.abs(pixels - controls[id][j] / 15 * k) < 0.1)) &&
        (Math.min(width, height) < 390 || targets.every(([, , w, h]) => w >= 24 && h >= 24)),
    `on ${width} x ${height} the form at ${k.toFixed(2)}x fills it, no scrolling, every control where the twips put it`);
    await setBoxes(phone, {Text1: '12', Text2: '0', Text3: '5'});
    await phone.click('#Command2');
    const fonts = await phone.evaluate(() => ['report', 'report-close'].map((id) =>
      parseFloat(getComputedStyle(document.getElementById(id)).fontSize)));
    check(await report(phone) !== null && Math.abs(fonts[0] - 12 * k) < 0.01 && fonts[1] === fonts[0],
        `its error dialog at ${fonts[0]} px`);
    await phone.close();
  }

  // While the core is on its way: the form painted and typed into, the
  // captions at their final sizes (no layout shift), "Cargando…" said, a
  // click kept and run once the core has come.
  let arrive;
  const coreHeld = new Promise((done) => { arrive = done; });
  const slow = await tabWith((request) => (request.url().includes('tasa-core') ? coreHeld :
    Promise.resolve()).then(() => request.continue()));
  await slow.goto(server.url, {waitUntil: 'domcontentloaded'});
  await slow.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length);
  await slow.type('#Text3', '1');
  await slow.click('#Command1');
  const waiting = await slow.evaluate(() => [document.getElementById('status').textContent,
    document.getElementById('Text1').value]);
  arrive();
  await coreLoaded(slow);
  const shifts = await slow.evaluate(() => {
    const observer = new PerformanceObserver(() => {});
    observer.observe({type: 'layout-shift', buffered: true});
    return observer.takeRecords().length;
  });
  check(waiting.join('|') === 'Cargando…| ' && await value(slow, 'Text1') === '0' && shifts === 0,
      `before the core: ${waiting}; after: the click ran, ${shifts} layout shifts`);
  await slow.browserContext().close();

  // A core that cannot load: the form stays, a message says so in Spanish.
  const failures = [
    ['a .wasm missing', {status: 404}, /Compruebe la conexión/],
    ['a .wasm damaged', {status: 200, contentType: 'application/wasm', body: 'tasa'}, /Compruebe la conexión/],
    ['offline, nothing kept', 'internetdisconnected', /Compruebe la conexión/],
    ['no WebAssembly', null, /no ejecuta WebAssembly/],
  ];
  for (const [what, answer, message] of failures) {
    const tab = await tabWith((request) => !request.url().includes('tasa-core.') || answer === null ?
      request.continue() : typeof answer === 'string' ? request.abort(answer) :
      request.url().endsWith('.wasm') ? request.respond(answer) : request.continue());
    if (answer === null) await tab.evaluateOnNewDocument(() => delete globalThis.WebAssembly);
    await tab.goto(server.url);
    await coreLoaded(tab);
    const said = await tab.$eval('#status', (status) => status.textContent);
    check(message.test(said) && /no pudo iniciarse/.test(said) &&
        await tab.$eval('#Form1', (form) => form.getBoundingClientRect().height) > 0, `${what}: ${said}`);
    await tab.browserContext().close();
  }

  // A second release (a caption byte changed) behind three kinds of
  // servers: a person who has used the page gets it by the second load,
  // told on the first; never both releases' files; offline throughout.
  for (const kind of ['plain', 'no-cache', 'day']) {
    const folder = await mkdtemp(join(tmpdir(), 'tasa-release-'));
    await cp(site, folder, {recursive: true});
    // Published a minute ago (Last-Modified tells times to the second).
    const past = new Date(Date.now() - 60000);
    await Promise.all((await readdir(folder)).map((file) => utimes(join(folder, file), past, past)));
    const published = await serve(folder, {kind});
    const context = await browser.createBrowserContext();
    const tab = await open(1024, 768, false, context, published.url);
    await tab.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const before = readFileSync(join(folder, 'index.html'), 'utf8');
    const after = before.replace('>Borrar<', '>BorraR<');
    const digest = (text) => createHash('sha256').update(text).digest('hex');
    const worker = readFileSync(join(folder, 'sw.js'), 'utf8').replaceAll(digest(before), digest(after));
    await Promise.all(['.gz', '.br'].flatMap((end) => [rm(join(folder, `index.html${end}`)),
      rm(join(folder, `sw.js${end}`))]).concat(writeFile(join(folder, 'index.html'), after),
        writeFile(join(folder, 'sw.js'), worker)));
    const shown = [];
    for (const offline of [false, false, true]) {
      await tab.setOfflineMode(offline);
      await tab.goto(published.url, {waitUntil: 'load'});
      await coreLoaded(tab);
      shown.push(await tab.$eval('#Command4', (button) => button.textContent));
      if (shown.length === 1 && shown[0] === 'Borrar') {
        await tab.waitForFunction(() => /versión nueva/.test(document.getElementById('status').textContent));
      }
    }
    await setBoxes(tab, {Text1: ' ', Text2: '12', Text3: '1'});
    await tab.click('#Command1');
    const releases = await tab.evaluate(() => caches.keys());
    check(shown.slice(1).join() === 'BorraR,BorraR' && releases.length === 1 &&
        await value(tab, 'Text1') === '12,682503013197',
    `behind a ${kind} server the loads after a release show ${shown}, one release kept`);
    await context.close();
    published.close();
    await rm(folder, {recursive: true});
  }

  // axe-core's rules, WCAG 2.2 AA and its best practices: on a desktop, a
  // phone, with the dialog open.
  const axe = readFileSync(new URL('../../scripts/web/node_modules/axe-core/axe.min.js',
      import.meta.url), 'utf8');
  const phone = await open(360, 640, true);
  for (const [where, tab] of [['a desktop', page], ['a phone', phone], ['the dialog', phone]]) {
    if (where === 'the dialog') {
      await setBoxes(tab, {Text1: '12', Text2: '0', Text3: '5'});
      await tab.click('#Command2');
    }
    await tab.evaluate(axe);
    const violations = await tab.evaluate(() => axe.run(document, {runOnly:
        ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice']})
        .then((result) => result.violations.map((rule) => `${rule.id} (${rule.nodes.length})`)));
    check(violations.length === 0, `axe on ${where}: ${violations.length} violations ${violations}`);
  }
} finally {
  await browser.close();
  server.close();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);

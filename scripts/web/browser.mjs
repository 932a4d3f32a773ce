// Debian's chromium, headless, driven by puppeteer-core (which downloads no
// browser), as the page's tests, benchmark and pictures use it; and the
// page opened until it is ready for a click.
import {createRequire} from 'node:module';

export const chromium = process.env.TASA_CHROMIUM ?? '/usr/bin/chromium';

// Without the background networking, chromium's connections to the closed
// network are refused, many at a time; as root it needs --no-sandbox.
export function launch() {
  const puppeteer = createRequire(import.meta.url)('puppeteer-core');
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update',
      '--disable-sync'],
  });
}

// Until the page's core has loaded (or could not).
export const coreLoaded = (page) => page.waitForFunction(() =>
  ['ready', 'failed'].includes(document.getElementById('Form1')?.dataset.core));

// A new tab of `browser` (or of a browser context) on `url`, once it is
// ready for a click: loaded, its core too. `watch` sees the tab first.
export async function openReady(browser, url, viewport = {width: 1024, height: 768},
    watch = () => {}) {
  const page = await browser.newPage();
  watch(page);
  await page.setViewport(viewport);
  await page.goto(url, {waitUntil: 'load'});
  await coreLoaded(page);
  return page;
}

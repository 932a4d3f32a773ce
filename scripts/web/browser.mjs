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

// A new tab of `browser` (or of a browser context) on `url`, once it is
// ready for a click: loaded, its controls shown and in the accessibility
// tree.
export async function openReady(browser, url, viewport = {width: 1024, height: 768}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() =>
    !document.getElementById('Form1').classList.contains('loading'));
  return page;
}

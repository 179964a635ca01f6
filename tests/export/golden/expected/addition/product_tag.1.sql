INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (9,1),(8,2),(8,3),(8,4);
